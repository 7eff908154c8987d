# kill -9 while the real game saves: the focus is moved away and back over and over, so
# the game suspends and saves again and again (a few times a second), and it is killed at a random moment. Every time, the state
# file left behind must load whole and hold what was stored. Stops after KILL_ITERATIONS (default 300)
# or KILL_SECONDS (default 30), whichever comes first.
source "$(dirname "$0")/lib.sh"
start_x
new_case

printf '[general]\ndrivers=null\n' > "$CASE_DIR/alsoft.conf"
# What the game itself writes for this state (the settings' limits already applied), so each save
# writes the same bytes and anything else found afterwards is damage.
BASE=$(state make opt5=2 opt10=64 opt11=64 opt12=10 opt14=1 badge40=1 \
  top1=5000,4000,3000 last1=3000,5000,4000 top2=900 last2=900 top3=77 last3=77)
printf '%s' "$BASE" > .trazelstate
open_other_window

limit=${KILL_SECONDS:-30}
iterations=${KILL_ITERATIONS:-300}
end=$(( $(date +%s) + limit ))
done_n=0; saved_n=0
while [ "$done_n" -lt "$iterations" ] && [ "$(date +%s)" -lt "$end" ]; do
  before=$(stat -c %i .trazelstate)
  start_game
  WIN=
  for _ in $(seq 60); do
    WIN=$(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | head -n1 || true)
    [ -n "$WIN" ] && break
    sleep 0.05
  done
  [ -n "$WIN" ] || fail "iteration $done_n: no window"
  # Each change must last a frame or two for the game to see it (activation is read once per frame).
  ( while true; do
      xdotool windowfocus "$OTHER_WIN" sleep 0.04 windowfocus "$WIN" sleep 0.04 2>/dev/null || true
    done ) &
  toggler=$!
  sleep "0.$(( RANDOM % 6 + 1 ))$(( RANDOM % 10 ))"
  kill -9 "$GAME_PID"
  wait "$GAME_PID" 2>/dev/null || true
  GAME_PID=
  kill "$toggler"; wait "$toggler" 2>/dev/null || true
  [ "$(cat .trazelstate)" = "$BASE" ] || {
    cp .trazelstate "$CASE_DIR/left"
    fail "iteration $done_n: the state file left by the kill is not the stored state ($(stat -c %s .trazelstate) bytes, sections $(state get .trazelstate valid))"
  }
  [ "$(stat -c %i .trazelstate)" != "$before" ] && saved_n=$((saved_n + 1))
  done_n=$((done_n + 1))
done
echo "$done_n kills, $saved_n of them after at least one save; the state file loaded whole every time"
[ "$saved_n" -gt 0 ] || fail "no kill came after a save: the loop did not exercise saving"
