# Record and replay on the Windows build. A keyboard session is recorded with VX_RECORD: title menu,
# Return, flying with fire held, pause, quit from the pause menu (the run is filed), Escape on the bare
# title menu. The journal then replays in an empty folder without a display (VX_REPLAY, VX_HEADLESS=1) and
# in another in a window at the recorded pace (VX_REPLAY alone). Each replay ends with the recorded run's
# status (0), matches every frame up to the recorded draw-list hash, and writes the same state file. A
# journal cut short (what a run that ended at once leaves) replays up to the cut, then ends with 4 saying
# where.
source "$(dirname "$0")/lib.sh"
wine_up
game=$CASE_DIR/game
game_folder "$game"
state make opt5=2 last2=2201,2202,2203,2204,2205,2206,2207,2208,2209,2210 > "$game/.trazelstate"
before=$(state get "$game/.trazelstate" last2)

start_game "$game" ALSOFT_DRIVERS=null VX_RECORD=session.journal
wait_window
menu_ready
start_run
sleep 0.5
key_down z
press Up Down
key_up z
press Escape
wait_screen is_paused 5 || fail "no pause menu after Escape"
sleep 0.4
press Up Return
menu_ready
press Escape
expect_exit 0 5
after=$(state get "$game/.trazelstate" last2)
[ "${after#*,}" = "${before%,*}" ] || fail "the recorded run was not filed (last ten $before -> $after)"
hash=$(err_text | sed -n 's/^Vextrallis journal: session.journal written (draw-list hash \([0-9a-f]*\))$/\1/p')
[ -n "$hash" ] || { err_text >&2; fail "the recording did not report its journal"; }
echo "journal: $(stat -c %s "$game/session.journal") bytes, draw-list hash $hash"
journal=$(winpath "$game/session.journal")

mkdir "$CASE_DIR/headless"
t0=$(now)
replay_headless "$CASE_DIR/headless" "$journal"
echo "headless replay: status $status after $(since "$t0") s; $(err_text | grep '^Vextrallis replay')"
[ "$status" = 0 ] || { err_text >&2; fail "the headless replay ended with status $status"; }
err_text | grep -qx "Vextrallis replay: [0-9]* frames matched the journal (draw-list hash $hash)" ||
  fail "the headless replay did not match the journal"
cmp "$CASE_DIR/headless/.trazelstate" "$game/.trazelstate" || fail "the headless replay wrote another state file"

# In a window, at the recorded pace: it shows the title menu as the recorded run did.
mkdir "$CASE_DIR/window"
GAME_EXE=$game/vextrallis.exe start_game "$CASE_DIR/window" ALSOFT_DRIVERS=null VX_REPLAY="$journal"
wait_window
wait_title
expect_exit 0 60
echo "replay in a window: $(err_text | grep '^Vextrallis replay')"
err_text | grep -qx "Vextrallis replay: [0-9]* frames matched the journal (draw-list hash $hash)" ||
  { err_text >&2; fail "the replay in a window did not match the journal"; }
cmp "$CASE_DIR/window/.trazelstate" "$game/.trazelstate" || fail "the replay in a window wrote another state file"

mkdir "$CASE_DIR/cut"
# Cut in the middle and always inside a record: a buffer-swap record's code (10) follows the cut.
{ head -c $(($(stat -c %s "$game/session.journal") / 2)) "$game/session.journal"; printf '\x0a'; } > "$CASE_DIR/cut.journal"
replay_headless "$CASE_DIR/cut" "$(winpath "$CASE_DIR/cut.journal")"
echo "journal cut in half: status $status; $(err_text)"
[ "$status" = 4 ] || fail "the cut journal: status $status, expected 4"
err_text | grep -q "the journal ends after frame [0-9]*, where the game asks for .*: the recorded run was cut short there" ||
  fail "the cut journal: no line saying where it ends"
