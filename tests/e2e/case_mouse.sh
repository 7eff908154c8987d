# Mouse only: tap "Easy" on the wheel, start with the start icon, pause with the pause button, quit with
# the pause menu's quit button; the run is filed into Easy's last-ten list. The close button ends it.
source "$(dirname "$0")/lib.sh"
start_x
new_case

state make last1=1101,1102,1103,1104,1105,1106,1107,1108,1109,1110 \
  last2=2201,2202,2203,2204,2205,2206,2207,2208,2209,2210 > .trazelstate

start_game
wait_window
wait_title
sleep 0.5   # the menu has slid in and the wheel rests on "Normal"

# Wheel items at rest on "Normal" (640 x 480 window): "Easy" at about (77, 281), "Normal" (171, 296).
shot_win before
tap 77 281
sleep 1.0
shot_win easy
# The wheel turns the chosen item to the reading position: the yellow "Normal" label there becomes the
# green "Easy" one.
read -r r g _ < <(rgb_of before 120x50+110+272)
gt "$r" "$(echo "$g - 0.05" | bc)" || fail "Normal is not the item at the reading position at start"
read -r r g _ < <(rgb_of easy 120x50+110+272)
gt "$g" "$(echo "$r + 0.1" | bc)" || fail "tapping Easy did not turn the wheel to it"

tap 570 432   # the start icon at the bottom of the side panel
sleep 1.0
shot_win play
is_title play && fail "the start icon did not start a game"

tap 16 16     # the pause button, top left
sleep 0.6
shot_win pause
is_paused pause || fail "the pause button did not pause"

tap 64 96     # the quit button of the open pause menu
wait_title 6
sleep 0.3
after=$(state get .trazelstate last1)
echo "Easy's last ten after the run: $after"
[ "${after#*,}" = "1101,1102,1103,1104,1105,1106,1107,1108,1109" ] || fail "the run was not filed into Easy's last ten"
[ "$(state get .trazelstate last2)" = "2201,2202,2203,2204,2205,2206,2207,2208,2209,2210" ] || \
  fail "Normal's list changed"

"$E2E_BUILD/tests/vx_x_close" "$WIN"
expect_exit 0 2
