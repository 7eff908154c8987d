# The menus as a player meets them: the title's wheel stands on "Normal"; Down turns it to "Hard" and
# Enter starts a run; Escape pauses, the cursor goes up to quit and Enter ends the run with "Quit" and
# "Game"; back on the title the run heads Hard's last-ten list in the state file. The options box opens
# from the wheel's hub with the mouse, its sound row changes the setting, and closing it saves. Escape on
# the bare title ends the game with status 0.
source "$(dirname "$0")/lib.sh"
start_x
new_case

# Hard's last ten start with known entries, so that a run that scored nothing is still seen filed.
state make last3=3301,3302,3303,3304,3305,3306,3307,3308,3309,3310 > .trazelstate

start_game
wait_window
wait_title
sleep 0.8

# The selected item stands large at the wheel's reading position, left of the description; its button
# shows the difficulty's colour: yellow for Normal, red for Hard.
item_colour() {
  local r g b
  read -r r g b < <(rgb_of "$1" 90x36+122+278)
  awk -v r="$r" -v g="$g" -v b="$b" 'BEGIN {
    if (r > b + 0.05 && g > b + 0.05 && g > 0.6 * r) print "yellow";
    else if (r > g + 0.05 && r > b + 0.05) print "red";
    else print "other" }'
}
shot_win title
c=$(item_colour title)
[ "$c" = yellow ] || fail "the wheel does not stand on Normal at start (selected item is $c)"

press Down
sleep 0.8
shot_win hard
c=$(item_colour hard)
[ "$c" = red ] || fail "Down did not turn the wheel to Hard (selected item is $c)"

press Return
sleep 1.0
shot_win play
is_title play && fail "Enter did not start a run"

press Escape
sleep 0.6
shot_win pause
is_paused pause || fail "Escape did not pause the run"

# The cursor starts on resume; up moves it to quit, Enter quits.
press Up Return
sleep 0.7
shot_win quit
# "Quit" slides down from the top and "Game" up from the bottom in pink; both are in place by now.
pink() {
  convert "$CASE_DIR/$1.png" -crop "$2" +repage \
    -fx '(r > 0.8 && g > 0.55 && g < 0.8 && b > 0.55 && b < 0.8) ? 1 : 0' -format '%[fx:mean]' info:
}
gt "$(pink quit 130x50+160+191)" 0.05 || fail "no \"Quit\" over the ended run"
gt "$(pink quit 130x50+350+239)" 0.05 || fail "no \"Game\" over the ended run"
# "Quit" is in lower case after its capital: above its "u" there is nothing, where the "A" and "M" of
# "GAME" would stand.
gt 0.03 "$(pink quit 22x8+226+203)" || fail "the words over the quit run are not \"Quit\" and \"Game\""

wait_title 6
sleep 0.5
last=$(state get .trazelstate last3)
echo "Hard's last ten after the quit run: $last"
[ "${last#*,}" = "3301,3302,3303,3304,3305,3306,3307,3308,3309" ] || fail "the quit run does not head Hard's last ten"
[ "$(state get .trazelstate valid)" = "1,1,1,1,1" ] || fail "the state file does not load whole"
shot_win back
c=$(item_colour back)
[ "$c" = red ] || fail "the wheel did not keep Hard after the run (selected item is $c)"

# The options box opens from the hub at the wheel's centre; the sound row goes from "SFX + Music" to
# "SFX", and the back key closes the box and saves.
[ "$(state get .trazelstate opt5)" = 1 ] || fail "the sound setting did not start at SFX + Music"
tap 38 416
sleep 0.8
shot_win options
read -r r g b < <(rgb_of options 200x100+220+300)
gt "$r" "$b" || fail "the hub did not open the options box"
press Down Return
sleep 0.3
press Escape
sleep 1.0
[ "$(state get .trazelstate opt5)" = 2 ] || fail "closing the box did not save the new sound setting"
shot_win closed
read -r r g b < <(rgb_of closed 200x100+220+300)
gt "$r" "$b" && fail "the options box is still up after closing it"

# Escape on the bare title ends the game at once.
press Escape
expect_exit 0 3
