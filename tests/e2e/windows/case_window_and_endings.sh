# The window and the ways out. The window titled Vextrallis opens with a 640 x 480 client area inside the
# frame Wine draws, and shows the title menu there. F4 on the title menu, a click on the close button of
# Wine's frame, and a window manager's close request (WM_DELETE_WINDOW) during a run each end the game
# with status 0 and leave the state file as it was. No sound setting is given: Wine has no sound device
# here, so the game says once that it has none and plays on silently. Last, at 192 dots per inch (a
# screen at 200 %), the window grows with the screen: about twice as large, as far as the screen
# (1280 x 1024) holds it with Wine's frame, and all of the frame on the screen.
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

# The title menu in a client area of any size: the screenshot is brought to 640 x 480 first.
is_title_scaled() { convert "$CASE_DIR/$1.png" -resize '640x480!' "$CASE_DIR/$1-640.png" && is_title "$1-640"; }

for how in F4 close-button close-request-in-game high-dpi; do
  if [ "$how" = high-dpi ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1 ||
      fail "cannot set the screen's dots per inch"
  fi
  start_game "$game"
  wait_window
  if [ "$how" = high-dpi ]; then
    wait_screen is_title_scaled 15 || fail "no title menu within 15 s"
  else
    wait_title
  fi
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
    high-dpi)
      read -r w h < <(xwininfo -id "$CLIENT" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
      read -r fx fy fw fh < <(xwininfo -id "$WIN" |
        awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width:/ {w=$2} /Height:/ {h=$2}
             END {print x, y, w, h}')
      echo "at 192 dpi: client area ${w}x$h in a frame of ${fw}x$fh at $fx,$fy"
      gt "$w" 1200 && ! gt "$w" 1280 || fail "client area ${w}x$h, expected about 1280 wide"
      [ $((4 * h - 3 * w)) -le 8 ] && [ $((3 * w - 4 * h)) -le 8 ] || fail "client area ${w}x$h is not 4:3"
      read -r sw sh < <(xdotool getdisplaygeometry)
      [ "$fx" -ge 0 ] && [ "$fy" -ge 0 ] && [ $((fx + fw)) -le "$sw" ] && [ $((fy + fh)) -le "$sh" ] ||
        fail "the frame (${fw}x$fh at $fx,$fy) is not all on the ${sw}x$sh screen"
      press F4 ;;
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
