# A recorded run that ends in a fatal error keeps its failing frame in the journal, and the replay meets
# the same error. A preloaded helper (fault_at_swap.c) raises SIGSEGV inside one chosen buffer swap, after
# the game has updated and drawn that frame, in the middle of a run: the game ends with 255 and the runtime
# error line. Replayed in a window with the same helper, the journal leads the game to the same frame,
# where it ends with the same line and 255. Replayed headless (no swaps to fault), it plays every frame and
# the failing frame's update and drawing too (its draw-list hash is checked at the swap), and stops with
# status 4 where the recorded run was cut: inside that swap, not before the frame.
source "$(dirname "$0")/lib.sh"
start_x
new_case
shim="$E2E_BUILD/tests/libvx_fault_at_swap.so"
[ -f "$shim" ] || fail "no fault helper at $shim"
fault_at=420  # 7 s at 60 frames a second: well into the run started below
error_line="Trazel Runtime Error : Memory access violation"

state make opt5=2 top2=900,800,700 > .trazelstate
cp .trazelstate "$CASE_DIR/original"
journal="$CASE_DIR/session.journal"
VX_FAULT_AT_SWAP=$fault_at LD_PRELOAD="$shim" start_recorded_game "$journal"
wait_window
wait_title
press Return                 # Normal is selected: start a run
xdotool keydown z            # fire and climb until the fault comes
xdotool keydown Up
expect_exit 255 30
xdotool keyup Up; xdotool keyup z
grep -qx "$error_line" "$CASE_DIR/stdout.txt" || { cat "$CASE_DIR/stdout.txt" >&2; fail "no runtime error line"; }
grep -qx "fault at swap $fault_at" "$CASE_DIR/stderr.txt" || { cat "$CASE_DIR/stderr.txt" >&2; fail "the fault was not made"; }
cmp -s .trazelstate "$CASE_DIR/original" || fail "the state file changed"
echo "journal of $(stat -c %s "$journal") bytes"

printf '[general]\ndrivers=null\n' > "$CASE_DIR/silent.conf"
replay() {  # $1 folder, then the environment's extra settings; sets REPLAY_STATUS
  local dir=$1; shift
  mkdir "$dir"
  set +e
  (cd "$dir" && env "$@" ALSOFT_CONF="$CASE_DIR/silent.conf" VX_REPLAY="$journal" timeout 60 "$GAME" \
     >stdout.txt 2>stderr.txt)
  REPLAY_STATUS=$?
  set -e
  sed 's/^/  /' "$dir/stdout.txt" "$dir/stderr.txt"
}

echo "replay in a window, with the same fault:"
replay "$CASE_DIR/window" VX_FAULT_AT_SWAP=$fault_at LD_PRELOAD="$shim"
[ "$REPLAY_STATUS" = 255 ] || fail "the replay in a window ended with $REPLAY_STATUS, expected 255"
grep -qx "$error_line" "$CASE_DIR/window/stdout.txt" || fail "the replay in a window did not end with the error line"
grep -qx "fault at swap $fault_at" "$CASE_DIR/window/stderr.txt" || fail "the replay faulted elsewhere"
! grep -q "diverged" "$CASE_DIR/window/stderr.txt" || fail "the replay in a window diverged"

echo "headless replay:"
replay "$CASE_DIR/headless" -u DISPLAY VX_HEADLESS=1
[ "$REPLAY_STATUS" = 4 ] || fail "the headless replay ended with $REPLAY_STATUS, expected 4"
grep -q "^Vextrallis replay: the journal ends after frame $((fault_at - 1)), where the game asks for the rest of its events" \
  "$CASE_DIR/headless/stderr.txt" || fail "the headless replay did not reach the failing frame's swap (frame $fault_at)"
