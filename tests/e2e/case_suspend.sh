# Suspend and resume by focus: another window taking the focus suspends the game (no more updates, the
# process sleeps, sound pauses, the state is saved); on the title that is all, during a game the pause
# menu is up when the focus comes back and the updates run at 60 per second again.
source "$(dirname "$0")/lib.sh"
start_x
new_case

export VX_STATS=0.5
start_game
wait_window
wait_title
open_other_window
[ -e .trazelstate ] && fail "a state file before anything was saved"

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"; }
# Updates the game reported in stats lines after line $1 of its output.
updates_since() { tail -n +"$(($1 + 1))" "$CASE_DIR/stdout.txt" | awk '/^stats t=/ { sub("updates=", "", $3); n += $3 } END { print n + 0 }'; }
lines() { wc -l < "$CASE_DIR/stdout.txt"; }

# On the title: suspending saves, and nothing else happens.
xdotool windowfocus "$OTHER_WIN"
sleep 1.0
[ -s .trazelstate ] || fail "suspending on the title did not save the state"
[ "$(state get .trazelstate valid)" = "1,1,1,1,1" ] || fail "the state saved at suspend does not load whole"
xdotool windowfocus "$WIN"
sleep 0.8
shot_win title_back
is_title title_back || fail "the title menu is not back after the focus returned"
is_paused title_back && fail "a pause menu over the title"

# During a game with its music playing.
press Return
sleep 1.0
rm -f .trazelstate
xdotool windowfocus "$OTHER_WIN"
sleep 0.5   # the suspend takes effect
at=$(lines); t0=$(cpu_ticks); s0=$(sound_seconds)
sleep 2.0
t1=$(cpu_ticks); s1=$(sound_seconds)
n=$(updates_since "$at")
echo "while suspended: $n updates, $((t1 - t0)) CPU ticks in 2 s, sound peak $(sound_peak "$s0" "$s1")"
[ "$n" = 0 ] || fail "$n updates ran while suspended"
[ $((t1 - t0)) -le 10 ] || fail "the suspended game used $((t1 - t0)) ticks of CPU in 2 s"
[ "$(sound_peak "$s0" "$s1")" -lt 50 ] || fail "sound goes on while suspended"
[ -s .trazelstate ] || fail "suspending during a game did not save the state"

xdotool windowfocus "$WIN"
sleep 0.3
at=$(lines)
sleep 1.6
shot_win back
is_paused back || fail "no pause menu after the focus came back"
n=$(updates_since "$at")
echo "after the focus came back: $n updates in the next lines (about 1.5 s)"
[ "$n" -ge 75 ] || fail "only $n updates after resuming"

press Escape   # close the pause menu and play on
sleep 0.8
shot_win playing
is_paused playing && fail "the pause menu did not close"
press F4
expect_exit 0 2
