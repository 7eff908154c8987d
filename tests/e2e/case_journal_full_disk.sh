# A journal that cannot be written (a full disk: /dev/full refuses every write) does not stop the game:
# it plays to the title and ends as usual, then says the journal is incomplete.
source "$(dirname "$0")/lib.sh"
start_x
new_case

start_recorded_game /dev/full
wait_window
wait_title
press Return                 # a run starts: the game goes on past the failed writes
sleep 0.8
press Escape
sleep 0.5
press Up Return              # quit from the pause menu
wait_title 6
press Escape                 # leave from the bare title menu
expect_exit 0 3
grep -q "^Vextrallis journal: /dev/full is incomplete: writing it failed" "$CASE_DIR/stderr.txt" || \
  { cat "$CASE_DIR/stderr.txt" >&2; fail "the failed journal was not reported"; }
echo "$(grep '^Vextrallis journal' "$CASE_DIR/stderr.txt")"
