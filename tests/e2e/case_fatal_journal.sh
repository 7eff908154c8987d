# A recorded run that ends in a fatal error keeps its failing frame in the journal. A preloaded helper
# (fault_at_swap.c) raises SIGSEGV inside the buffer swap of a frame in the middle of a run, after the game
# has updated and drawn it: the game ends with 255 and the runtime error line, and the journal holds that
# frame up to the fault. The headless replay then plays every frame before it, and the failing frame's
# update and drawing too (its draw-list hash is checked at the swap), and stops with status 4 where the
# recorded run was cut: inside the swap of that frame, not at the start of it.
source "$(dirname "$0")/lib.sh"
start_x
new_case
shim="$E2E_BUILD/tests/libvx_fault_at_swap.so"
[ -f "$shim" ] || fail "no fault helper at $shim"

state make opt5=2 top2=900,800,700 > .trazelstate
cp .trazelstate "$CASE_DIR/original"
journal="$CASE_DIR/session.journal"
VX_FAULT_WHEN="$CASE_DIR/fault-now" LD_PRELOAD="$shim" start_recorded_game "$journal"
wait_window
wait_title

press Return                 # Normal is selected: start a run
sleep 0.5
xdotool keydown z            # fire and climb while the fault comes
xdotool keydown Up
sleep 0.4
touch "$CASE_DIR/fault-now"
expect_exit 255 5
xdotool keyup Up; xdotool keyup z
grep -qx "Trazel Runtime Error : Memory access violation" "$CASE_DIR/stdout.txt" ||
  { cat "$CASE_DIR/stdout.txt" >&2; fail "no runtime error line on standard output"; }
swap=$(sed -n 's/^fault at swap \([0-9]*\)$/\1/p' "$CASE_DIR/stderr.txt")
[ -n "$swap" ] || { cat "$CASE_DIR/stderr.txt" >&2; fail "the fault was not made"; }
cmp -s .trazelstate "$CASE_DIR/original" || fail "the state file changed"
echo "fault in frame $swap; journal of $(stat -c %s "$journal") bytes"

mkdir "$CASE_DIR/replay"
printf '[general]\ndrivers=null\n' > "$CASE_DIR/silent.conf"
set +e
(cd "$CASE_DIR/replay" && env -u DISPLAY -u LD_PRELOAD ALSOFT_CONF="$CASE_DIR/silent.conf" \
   VX_REPLAY="$journal" VX_HEADLESS=1 timeout 60 "$GAME" >stdout.txt 2>stderr.txt)
status=$?
set -e
cat "$CASE_DIR/replay/stderr.txt"
[ "$status" = 4 ] || fail "replay ended with status $status, expected 4"
grep -q "^Vextrallis replay: the journal ends after frame $((swap - 1)), where the game asks for the rest of its events" \
  "$CASE_DIR/replay/stderr.txt" || fail "the replay did not reach the failing frame's swap (frame $swap)"
