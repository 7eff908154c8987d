# Missing devices. No display (DISPLAY unset, or naming no server): the runtime error line naming the
# window system and GLFW's reason, which names the display, and status 255. A display without OpenGL (an
# X server without GLX, as on a machine with no graphics driver): the runtime error line saying that the
# window could not be opened and that a graphics driver with OpenGL is needed, and status 255. No audio
# device (OpenAL Soft with no usable driver): the audio device's messages, then a silent game that plays,
# pauses, quits to the title and ends normally.
source "$(dirname "$0")/lib.sh"
new_case

# Runs the game to its end with DISPLAY as $1 ("unset": none); its status in $status.
run_on_display() {
  set +e
  if [ "$1" = unset ]; then
    (unset DISPLAY; "$GAME" >"$CASE_DIR/stdout.txt" 2>"$CASE_DIR/stderr.txt")
  else
    DISPLAY=$1 "$GAME" >"$CASE_DIR/stdout.txt" 2>"$CASE_DIR/stderr.txt"
  fi
  status=$?
  set -e
  echo "display $1: status $status, says: $(cat "$CASE_DIR/stdout.txt") / $(cat "$CASE_DIR/stderr.txt")"
}

for display in unset ":999"; do
  run_on_display "$display"
  [ "$status" = 255 ] || fail "display $display: status $status, expected 255"
  line=$(head -n 1 "$CASE_DIR/stdout.txt")
  case $line in
    "Trazel Runtime Error : The window system could not be started (glfwInit failed: "*) ;;
    *) fail "display $display: unexpected output" ;;
  esac
  grep -qi "display" <<<"$line" || fail "display $display: the message does not name the display"
done

numfile=$CASE_DIR/no-gl-display
Xvfb -displayfd 3 -screen 0 1024x768x24 -extension GLX -nolisten tcp -noreset 3>"$numfile" >/dev/null 2>&1 &
no_gl_xvfb=$!
for _ in $(seq 100); do [ -s "$numfile" ] && break; sleep 0.05; done
[ -s "$numfile" ] || fail "Xvfb without GLX did not start"
run_on_display ":$(head -n 1 "$numfile")"
kill "$no_gl_xvfb"
wait "$no_gl_xvfb" 2>/dev/null || true
[ "$status" = 255 ] || fail "no OpenGL: status $status, expected 255"
[ "$(head -n 1 "$CASE_DIR/stdout.txt")" = "Trazel Runtime Error : The game window could not be opened (GLX: GLX \
extension not found). This PC needs a graphics driver with OpenGL." ] || fail "no OpenGL: unexpected output"

start_x
printf '[general]\ndrivers=no-such-driver\n' > "$CASE_DIR/alsoft.conf"
start_game
wait_window
wait_title
press Return
sleep 0.6
xdotool keydown z; hold_key Up 0.8; xdotool keyup z
press Escape
sleep 0.6
shot_win paused
is_paused paused || fail "no pause menu without an audio device"
press Up Return
wait_title 6
press F4
expect_exit 0 3
head -n 2 "$CASE_DIR/stdout.txt"
[ "$(sed -n 1p "$CASE_DIR/stdout.txt")" = "opening openal device" ] || fail "no device-opening message"
[ "$(sed -n 2p "$CASE_DIR/stdout.txt")" = "OpenAl error: alcOpenDevice failed" ] || fail "no device error message"
[ -s .trazelstate ] || fail "the quit run was not filed without an audio device"
