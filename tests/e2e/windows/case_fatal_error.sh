# A fatal error ends the game at once with status 255 and its message. Faults are made from outside, as a
# crash would come (fault_thread.c): a thread started in the game's process at an unmapped address, or the
# game's own thread sent there. The game's unhandled-exception filter turns the access violation into
# "Trazel Runtime Error : Memory access violation"; the state file stays as it was.
# - With its output redirected, the message is the line on standard output.
# - Started as from the desktop (desktop.c: no standard output), it is a message box, and while the box
#   shows the game is stopped: keys and mouse over its window change nothing (its picture stands still),
#   a second fault opens no second box, and OK on the box ends the game.
# - On a display without OpenGL (an X server without GLX: Wine then offers no pixel format, as Windows
#   does on a PC with no 3D driver) the window cannot open: the box says so and what the PC needs.
source "$(dirname "$0")/lib.sh"
cc_win=$(command -v x86_64-w64-mingw32-gcc-posix || command -v x86_64-w64-mingw32-gcc) ||
  fail "no MinGW-w64 C compiler (x86_64-w64-mingw32-gcc)"
helpers=$(mktemp -d /tmp/vx-fatal-helpers.XXXXXX)
trap 'rm -rf "$helpers"; cleanup' EXIT
for h in fault_thread desktop; do
  "$cc_win" -O2 -o "$helpers/$h.exe" "$E2E_WIN_DIR/$h.c" || fail "cannot build $h.exe"
done
fault() { wine "$helpers/fault_thread.exe" "$@" || fail "the fault was not made"; }
desktop() { wine "$helpers/desktop.exe" "$@"; }

# Starts the game in folder $1 as a double-click does; $GAME_PID ends with the game's status.
start_desktop_game() {
  (cd "$1" && exec wine "$helpers/desktop.exe" start vextrallis.exe) >"$STDOUT" 2>"$STDERR" &
  GAME_PID=$!
}

# A fingerprint of the client area's top left corner, which the message box (in the screen's middle) leaves
# uncovered: the grid scrolls there while the game runs.
corner() { shot "$1"; convert "$CASE_DIR/$1.png" -crop 320x120+0+0 +repage rgb:- | md5sum; }

# Keys and the mouse over the game's window, as a player would while the box shows.
play_at_window() {
  xdotool mousemove --window "$CLIENT" 320 240 sleep 0.1 mousemove --window "$CLIENT" 100 100 click 1
  local k
  for k in Escape Return Up space z F4; do
    xdotool keydown --window "$WIN" "$k"; sleep 0.1; xdotool keyup --window "$WIN" "$k"
  done
  xdotool mousemove --window "$CLIENT" 500 400 click 1
}

wine_up
game=$CASE_DIR/game
game_folder "$game"
state make opt5=2 top2=900,800,700 last2=700,900,800 > "$game/.trazelstate"
cp "$game/.trazelstate" "$CASE_DIR/original"

echo "-- output redirected, a fault on another thread"
start_game "$game" ALSOFT_DRIVERS=null
wait_window
menu_ready
start_run
sleep 0.5
fault
expect_exit 255 5
out_text
out_text | grep -qx "Trazel Runtime Error : Memory access violation" || fail "no runtime error line on standard output"
[ "$(out_text | grep -c "Trazel Runtime Error")" = 1 ] || fail "more than one runtime error line"
cmp -s "$game/.trazelstate" "$CASE_DIR/original" || fail "the state file changed"

for where in "" --main; do
  echo "-- from the desktop, a fault on $([ -n "$where" ] && echo "the game thread" || echo "another thread")"
  start_desktop_game "$game"
  wait_window
  menu_ready
  start_run
  sleep 0.5
  fault $where
  text=$(desktop box 10 | tr -d '\r') || fail "no message box"
  echo "message box: $text"
  [ "$text" = "Trazel Runtime Error : Memory access violation" ] || fail "the message box says: $text"
  before=$(corner before)
  play_at_window
  sleep 0.5
  [ "$(corner after)" = "$before" ] || fail "the game ran on while its message box showed"
  fault  # a second fault, on another thread
  sleep 1
  [ "$(desktop boxes | tr -d '\r')" = 1 ] || fail "a second fault opened a second message box"
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its message box was closed"
  cmp -s "$game/.trazelstate" "$CASE_DIR/original" || fail "the state file changed"
  desktop close || fail "cannot press OK on the message box"
  expect_exit 255 5
done

echo "-- a display without OpenGL"
vx_wine_stop
VX_WINE_XVFB_ARGS="-extension GLX" wine_up
game=$CASE_DIR/game
game_folder "$game"
# GLFW's own words for the failure come in the brackets.
no_gl() {
  case $1 in
    "Trazel Runtime Error : The game window could not be opened (WGL: "*"). This PC needs a graphics driver with OpenGL.") ;;
    *) return 1 ;;
  esac
}
start_desktop_game "$game"
text=$(desktop box 30 | tr -d '\r') || fail "no message box without OpenGL"
echo "message box: $text"
no_gl "$text" || fail "the message box says: $text"
desktop close || fail "cannot press OK on the message box"
expect_exit 255 5
start_game "$game"
expect_exit 255 30
out_text
no_gl "$(out_text | head -n 1)" || fail "no runtime error line on standard output without OpenGL"
echo "ok"
