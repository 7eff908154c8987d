# Missing devices. No display (DISPLAY unset, or naming no server): "glfwInit failed", the reason on
# standard error, status 255. No audio device (OpenAL Soft with no usable driver): the audio device's
# messages, then a silent game that plays, pauses, quits to the title and ends normally.
source "$(dirname "$0")/lib.sh"
new_case

for display in unset ":999"; do
  set +e
  if [ "$display" = unset ]; then
    (unset DISPLAY; "$GAME" >"$CASE_DIR/stdout.txt" 2>"$CASE_DIR/stderr.txt")
  else
    DISPLAY=$display "$GAME" >"$CASE_DIR/stdout.txt" 2>"$CASE_DIR/stderr.txt"
  fi
  status=$?
  set -e
  echo "display $display: status $status, says: $(cat "$CASE_DIR/stdout.txt") / $(cat "$CASE_DIR/stderr.txt")"
  [ "$status" = 255 ] || fail "display $display: status $status, expected 255"
  [ "$(cat "$CASE_DIR/stdout.txt")" = "glfwInit failed" ] || fail "display $display: unexpected output"
  grep -qi "display" "$CASE_DIR/stderr.txt" || fail "display $display: the message does not name the display"
done

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
