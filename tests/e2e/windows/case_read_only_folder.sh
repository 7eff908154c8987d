# A state file that cannot be written: the game's folder is made read-only (for a root run also immutable,
# as root writes past permissions). The stored state loads; filing a run (quit from the pause menu) cannot
# save, a notice at the foot of the screen says so, and the game goes on: back on the title menu it plays
# and files a second run, and F4 ends it with status 0. The state file is still what it was, byte for
# byte, and nothing else was left in the folder.
source "$(dirname "$0")/lib.sh"
wine_up
game=$CASE_DIR/game
game_folder "$game"
state make opt5=2 badge3=1 top2=900,800,700 last2=700,900,800 > "$game/.trazelstate"
cp "$game/.trazelstate" "$CASE_DIR/original"
ls -A "$game" > "$CASE_DIR/files-before"
make_unwritable "$game"
# Wine runs as this user: what this shell cannot make there, the game cannot either.
(: > "$game/.trazelstate.tmp") 2>/dev/null && fail "the folder is still writable"

start_game "$game" ALSOFT_DRIVERS=null
wait_window
menu_ready
out_text | grep -qx "Settings Loaded" || fail "the stored settings did not load"
# The first run is filed, the save fails, and the player is told so at the foot of the screen.
start_run
sleep 0.5
press Escape
wait_screen is_paused 5 || fail "no pause menu after Escape"
sleep 0.4
press Up Return
wait_screen has_save_notice 5 || fail "no notice that settings and scores cannot be saved"
menu_ready
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended after a failed save"
quit_run
press F4
expect_exit 0 5
out_text | grep -q "Runtime Error" && fail "$(out_text | grep 'Runtime Error')"
cmp -s "$game/.trazelstate" "$CASE_DIR/original" || fail "the state file changed"
ls -A "$game" | cmp -s - "$CASE_DIR/files-before" || fail "the folder's files changed: $(ls -A "$game" | tr '\n' ' ')"
echo "two runs filed without a writable folder; the state file is as it was"
