# The window and the ways out. The window titled Vextrallis opens with a 640 x 480 client area inside the
# frame Wine draws, and shows the title menu there. F4 on the title menu, a click on the close button of
# Wine's frame, and a window manager's close request (WM_DELETE_WINDOW) during a run each end the game
# with status 0 and leave the state file as it was. No sound setting is given: Wine has no sound device
# here, so the game says once that it has none and plays on silently.
source "$(dirname "$0")/lib.sh"
wine_up
game=$CASE_DIR/game
game_folder "$game"
state make opt5=1 top2=900,800,700 last2=700,900,800 badge3=1 > "$game/.trazelstate"
cp "$game/.trazelstate" "$CASE_DIR/original"
# What a window manager sends when its close button is clicked (the Linux cases' helper).
cc -o "$CASE_DIR/x_close" "$E2E_WIN_DIR/../x_close.c" -lX11 || fail "cannot build the close-request helper"

# The close button of Wine's frame: the rightmost of the caption's square buttons, which are as high as
# the caption (the band between the frame's border and the client area).
click_close_button() {
  local bx by fw
  read -r bx by < <(xwininfo -id "$CLIENT" | awk '/Relative upper-left X/ {x=$NF} /Relative upper-left Y/ {y=$NF} END {print x, y}')
  fw=$(xwininfo -id "$WIN" | awk '/Width:/ {print $2}')
  xdotool mousemove --window "$WIN" $((fw - bx - (by - bx) / 2)) $(((bx + by) / 2)) mousedown 1
  sleep 0.1
  xdotool mouseup 1
}

for how in F4 close-button close-request-in-game; do
  start_game "$game"
  wait_window
  wait_title
  case $how in
    F4)
      read -r w h < <(xwininfo -id "$CLIENT" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
      read -r fw fh < <(xwininfo -id "$WIN" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
      echo "client area ${w}x$h in a frame of ${fw}x$fh"
      [ "${w}x$h" = 640x480 ] || fail "client area ${w}x$h, expected 640x480"
      gt "$fh" "$h" || fail "no frame around the client area (${fw}x$fh)"
      # The title menu's start icon lies where a 640 x 480 picture puts it: the game draws at that size.
      is_title screen || fail "the client area does not show the title menu"
      press F4 ;;
    close-button) click_close_button ;;
    close-request-in-game)
      sleep 1.0  # the menu slides in
      start_run
      "$CASE_DIR/x_close" "$WIN" ;;
  esac
  expect_exit 0 5
  cmp -s "$game/.trazelstate" "$CASE_DIR/original" || fail "$how: the state file changed"
  ls -A "$game" | grep -q '^\.trazelstate\.' && fail "$how: a temporary state file was left"
  out_text | grep -qx "Settings Loaded" || fail "$how: the settings did not load"
  [ "$(out_text | head -n 2)" = "opening openal device
OpenAl error: alcOpenDevice failed" ] || { out_text >&2; fail "$how: no word about the missing sound device"; }
  echo "$how: status 0, state file intact"
done
