# Full screen and back, with F11 and with the options box's display row: each switch makes a new window
# with a new OpenGL context, and the title menu's pictures (the game's logo, the maker's logo, the start
# icon) must look as they did before it, at any size.
source "$(dirname "$0")/lib.sh"
start_x 1024x768x24
new_case

start_game
wait_window
wait_title
sleep 0.6   # the menu finishes sliding in
shot_win w0

# Regions of the 640 x 480 view holding pictures: game logo, maker's logo, start icon.
REGIONS="300x80+100+40 60x60+540+2 60x60+540+402"
# The view in a screenshot, scaled to 640 x 480 (a 1024 x 768 screen shows it at 1.6 times).
as_view() { convert "$CASE_DIR/$1.png" -resize '640x480!' "$CASE_DIR/$2.png"; }
same_pictures() {
  local region a b
  for region in $REGIONS; do
    a=$(rgb_of "$1" "$region"); b=$(rgb_of "$2" "$region")
    awk -v a="$a" -v b="$b" 'BEGIN { split(a, x, " "); split(b, y, " ");
      d = 0; for (i = 1; i <= 3; i++) { e = x[i] - y[i]; d += (e < 0 ? -e : e) } exit !(d < 0.12) }' ||
      fail "$3: region $region differs ($a against $b)"
    gt "$(colours_of "$1" "$region")" 10 || fail "$3: region $region holds no picture"
  done
}

press F11
find_window 1024x768
sleep 1.0   # the new size reloads the art (15 updates)
shot fs1
as_view fs1 fs1v
same_pictures fs1v w0 "full screen by F11"

press F11
find_window 640x480
sleep 1.0
shot_win w1
same_pictures w1 w0 "back to the window by F11"

# The same through the options box: focus the options button (left), open it, go down to the display
# row (third), switch to full screen, then back, and close the box.
press Left Return
sleep 0.8
press Down Down Down Return
find_window 1024x768
sleep 1.2
shot fs2
as_view fs2 fs2v
# The options box covers the middle; its orange panel shows and the maker's logo above it still does.
read -r r g b < <(rgb_of fs2v 200x100+220+200)
gt "$r" "$b" || fail "no options box in full screen"
press Return
find_window 640x480
sleep 1.2
press Escape
sleep 0.8
press Right   # focus back on the wheel, where it was (the start icon shows only then)
sleep 0.3
shot_win w2
same_pictures w2 w0 "back to the window by the options row"

press F4
expect_exit 0 2
