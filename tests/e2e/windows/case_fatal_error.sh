# A fatal error ends the game at once with status 255 and the runtime error line on standard output. The
# fault is made from outside, as a crash would come: a thread started in the game's process at an
# unmapped address (fault_thread.c), during a run. The game's unhandled-exception filter turns the access
# violation into "Trazel Runtime Error : Memory access violation"; the state file stays as it was.
source "$(dirname "$0")/lib.sh"
cc_win=$(command -v x86_64-w64-mingw32-gcc-posix || command -v x86_64-w64-mingw32-gcc) ||
  fail "no MinGW-w64 C compiler (x86_64-w64-mingw32-gcc)"
wine_up
"$cc_win" -O2 -o "$CASE_DIR/fault_thread.exe" "$E2E_WIN_DIR/fault_thread.c" || fail "cannot build fault_thread.exe"
game=$CASE_DIR/game
game_folder "$game"
state make opt5=2 top2=900,800,700 last2=700,900,800 > "$game/.trazelstate"
cp "$game/.trazelstate" "$CASE_DIR/original"

start_game "$game" ALSOFT_DRIVERS=null
wait_window
menu_ready
start_run
sleep 0.5
wine "$CASE_DIR/fault_thread.exe" || fail "the fault was not made"
expect_exit 255 5
out_text
out_text | grep -qx "Trazel Runtime Error : Memory access violation" || fail "no runtime error line on standard output"
[ "$(out_text | grep -c "Trazel Runtime Error")" = 1 ] || fail "more than one runtime error line"
cmp -s "$game/.trazelstate" "$CASE_DIR/original" || fail "the state file changed"
