# A journal that cannot be written (a full disk: /dev/full refuses every write) does not stop the game:
# it plays to the title and ends as usual, then says the journal is incomplete. Each key is pressed once
# the screen it is meant for shows, so a slow or busy machine only makes the case take longer.
source "$(dirname "$0")/lib.sh"
start_x
new_case

start_recorded_game /dev/full
wait_window
wait_title
press Return                 # a run starts: the game goes on past the failed writes
wait_playing
press Escape
wait_paused
press Up                     # the keyboard cursor to the quit button
wait_screen is_quit_chosen 5 "the quit button chosen"
press Return                 # quit from the pause menu
wait_bare_title
press Escape                 # leave from the bare title menu
expect_exit 0 10
grep -q "^Vextrallis journal: /dev/full is incomplete: writing it failed" "$CASE_DIR/stderr.txt" || \
  { cat "$CASE_DIR/stderr.txt" >&2; fail "the failed journal was not reported"; }
echo "$(grep '^Vextrallis journal' "$CASE_DIR/stderr.txt")"
