#!/usr/bin/env bash
# Soak: plays the real game for SOAK_SECONDS (default 180) with random keyboard and mouse input under its
# own Xvfb, and checks that the process never dies, that its resident memory and the collector's
# allocated bytes stay flat after the first minute, and that it runs 60 updates a second while its window
# is active. Usage: tests/soak/soak.sh [build dir]. SOAK_SEED fixes the random input.
# The game records a journal of the run (session.journal); on a fault it is kept beside the logs, and
# VX_REPLAY=<journal> VX_HEADLESS=1 replays the run exactly, up to the fault. At the end the soak replays
# its own journal headless and requires the same status, state file and draw-list hash.
# The keys that end the game (F4, and the back keys on the bare title) are never pressed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export E2E_BUILD=$(cd "${1:-build}" && pwd)
source "$here/../e2e/lib.sh"

SECONDS_TOTAL=${SOAK_SECONDS:-180}
WARMUP=${SOAK_WARMUP:-60}
RANDOM=${SOAK_SEED:-$$}
# Flat means: after the warm-up, resident memory (mean of the last third of the samples against the first
# third) grows by at most this many kB (in a 30-minute run it settles between about 230 and 256 MB and moves
# by tens of MB with full-screen flips, which reload the art at another resolution; a leak keeps climbing) and the collector's allocated bytes by at most this many bytes
# (a collection cycle's worth of garbage comes and goes).
RSS_SLACK_KB=${SOAK_RSS_SLACK_KB:-49152}
GC_SLACK=${SOAK_GC_SLACK:-4194304}

start_x
new_case
# The game and its data copied into the case, so that a rebuild while a long soak runs cannot change the
# program the closing replay must match (a journal replays only on the build that recorded it).
mkdir "$CASE_DIR/game"
cp "$GAME" "$CASE_DIR/game/vextrallis"
cp -r "$E2E_BUILD/data" "$CASE_DIR/game/data"
GAME="$CASE_DIR/game/vextrallis"
printf '[general]\ndrivers=null\n' > "$CASE_DIR/alsoft.conf"   # a long capture would only fill the disk
export VX_STATS=1
journal="$CASE_DIR/session.journal"
start_recorded_game "$journal"
wait_window
wait_title

# Random input inside the window's area of the screen (the window is centred on the 1024 x 768 screen;
# in full screen the same area is the middle of the picture).
KEYS=(Up Down Left Right Up Down Left Right z z Return Return x space F11)
rand_xy() { X=$((192 + RANDOM % 640)); Y=$((144 + RANDOM % 480)); }
# Every action goes to actions.txt with its time, so that a fault can be replayed (see SOAK_SEED).
log() { echo "$(( $(date +%s) - start )) $*" >> "$CASE_DIR/actions.txt"; }
act() {
  local r=$((RANDOM % 100))
  if [ $r -lt 55 ]; then
    local k=${KEYS[$((RANDOM % ${#KEYS[@]}))]}
    # Full screen flips are rarer: they re-create the window and reload the art.
    if [ "$k" = F11 ] && [ $((RANDOM % 10)) -ne 0 ]; then k=z; fi
    log "key $k"
    xdotool keydown "$k" sleep "0.$((RANDOM % 4))$((RANDOM % 10))" keyup "$k"
  elif [ $r -lt 75 ]; then
    rand_xy; log "tap $X $Y"
    xdotool mousemove "$X" "$Y" mousedown 1 sleep 0.1 mouseup 1
  elif [ $r -lt 85 ]; then
    # A drag, as on the wheel or the touch stick.
    rand_xy; log "drag from $X $Y"
    xdotool mousemove "$X" "$Y" mousedown 1
    rand_xy; xdotool mousemove --sync "$X" "$Y" sleep 0.2 mouseup 1 2>/dev/null || xdotool mouseup 1
  elif [ $r -lt 92 ]; then
    # The pause button, then a press on the pause menu's quit button: runs end and are filed.
    log "pause and quit"
    xdotool mousemove 208 160 mousedown 1 sleep 0.1 mouseup 1 sleep 0.5 mousemove 256 240 mousedown 1 sleep 0.1 mouseup 1
  else
    sleep 0.3
  fi
}

rss_kb() { awk '/^VmRSS/ { print $2 }' "/proc/$GAME_PID/status"; }
samples="$CASE_DIR/samples.txt"   # seconds since start, RSS kB
: > "$samples"
start=$(date +%s)
: > "$CASE_DIR/actions.txt"
actions=0
next_sample=0
while true; do
  now=$(( $(date +%s) - start ))
  [ "$now" -ge "$SECONDS_TOTAL" ] && break
  kill -0 "$GAME_PID" 2>/dev/null || {
    tail -n 5 "$CASE_DIR/stdout.txt" "$CASE_DIR/stderr.txt" "$CASE_DIR/actions.txt" >&2
    E2E_KEEP=1
    fail "the game died after $now s (details in $CASE_DIR; replay it in an empty folder with VX_REPLAY=$journal VX_HEADLESS=1)"
  }
  if [ "$now" -ge "$next_sample" ]; then
    echo "$now $(rss_kb)" >> "$samples"
    next_sample=$((now + 5))
  fi
  act
  actions=$((actions + 1))
  sleep "0.0$((RANDOM % 10))"
done
kill -0 "$GAME_PID" 2>/dev/null || fail "the game died at the end"
echo "$SECONDS_TOTAL $(rss_kb)" >> "$samples"
peak_kb=$(awk '/^VmHWM/ { print $2 }' "/proc/$GAME_PID/status")

# The stats lines: t, updates, renders, gc_alloced, objects; t counts from the game's start.
grep '^stats t=' "$CASE_DIR/stdout.txt" | sed -E 's/stats t=([0-9.]+) updates=([0-9]+) renders=([0-9]+) gc_alloced=([0-9]+) gc_max=([0-9]+) gc_new=([0-9]+) objects=([0-9]+).*/\1 \2 \3 \4 \7/' \
  > "$CASE_DIR/stats.txt"
[ -s "$CASE_DIR/stats.txt" ] || fail "the game printed no statistics"

status=0
report=$(awk -v warm="$WARMUP" -v rss_slack="$RSS_SLACK_KB" -v gc_slack="$GC_SLACK" -v samples="$samples" '
  # Update rate: a second is off when it ran other than 60 +- 3 updates; the seconds of a full-screen
  # flip (the window is made anew and the art reloaded) may be, at most 5% of them.
  { n++; u = $2; if (u < 57 || u > 63) off++; if (min == "" || u < min) min = u; if (u > max) max = u
    if ($1 >= warm) { if (gc0 == "") gc0 = $4; if ($4 > gcmax) gcmax = $4; gclast = $4; objlast = $5 } }
  END {
    # Resident memory after the warm-up: the mean of the last third of the samples against the mean of
    # the first third (a flip of the window moves it up or down by a few MB at a time; a leak climbs).
    while ((getline line < samples) > 0) { split(line, s, " ")
      if (s[1] >= warm) { k++; r[k] = s[2]; if (s[2] > rssmax) rssmax = s[2]; if (rssmin == "" || s[2] < rssmin) rssmin = s[2] } }
    third = int(k / 3); if (third < 1) third = 1
    for (i = 1; i <= third; i++) { a += r[i]; b += r[k - third + i] }
    a /= third; b /= third
    printf "seconds=%d updates_min=%d updates_max=%d off=%d rss_first_third_kb=%d rss_last_third_kb=%d rss_min_kb=%d rss_max_kb=%d gc_at_warmup=%d gc_max=%d gc_end=%d objects_end=%d\n",
      n, min, max, off, a, b, rssmin, rssmax, gc0, gcmax, gclast, objlast
    bad = ""
    if (off > n * 0.05) bad = bad " update rate off in " off " of " n " seconds;"
    if (b - a > rss_slack) bad = bad " resident memory grew by " int(b - a) " kB;"
    if (gcmax - gc0 > gc_slack) bad = bad " collector bytes grew by " gcmax - gc0 ";"
    if (bad != "") { print "FAULT:" bad; exit 1 }
  }' "$CASE_DIR/stats.txt") || status=$?
echo "soak: ${SECONDS_TOTAL}s, $actions random actions, peak resident ${peak_kb} kB; $report"
if [ $status != 0 ]; then
  E2E_KEEP=1   # keep the case folder: samples, statistics, the actions taken and the journal
  fail "soak found a fault (details in $CASE_DIR; replay it in an empty folder with VX_REPLAY=$journal VX_HEADLESS=1)"
fi
sort -n -k2 "$CASE_DIR/stats.txt" | awk '{ print $2 }' | uniq -c | sort -rn | head -n 3 | \
  awk 'BEGIN { printf "most frequent updates per second:" } { printf " %s (x%s)", $2, $1 } END { print "" }'
press F4
expect_exit 0 3
echo "soak: journal of $(stat -c %s "$journal") bytes recorded"

# The soak is a determinism check too: its journal, replayed headless in an empty folder, must end with
# the same status, file the same state and reach the same draw-list hash.
recorded_hash=$(sed -n 's/^Vextrallis journal: .* written (draw-list hash \([0-9a-f]*\))$/\1/p' "$CASE_DIR/stderr.txt")
[ -n "$recorded_hash" ] || { E2E_KEEP=1; fail "the soak's journal was not reported written (details in $CASE_DIR)"; }
mkdir "$CASE_DIR/replay"
set +e
(cd "$CASE_DIR/replay" && env -u DISPLAY -u VX_STATS VX_REPLAY="$journal" VX_HEADLESS=1 \
   timeout $((SECONDS_TOTAL + 120)) "$GAME" >stdout.txt 2>stderr.txt)
replay_status=$?
set -e
# The same state file, or none in both folders.
same_state() { { [ ! -e "$CASE_DIR/.trazelstate" ] && [ ! -e "$CASE_DIR/replay/.trazelstate" ]; } ||
               cmp -s "$CASE_DIR/.trazelstate" "$CASE_DIR/replay/.trazelstate"; }
replayed_hash=$(sed -n 's/^Vextrallis replay: [0-9]* frames matched the journal (draw-list hash \([0-9a-f]*\))$/\1/p' \
  "$CASE_DIR/replay/stderr.txt")
if [ "$replay_status" != 0 ] || [ "$replayed_hash" != "$recorded_hash" ] || \
   ! same_state; then
  E2E_KEEP=1
  tail -n 3 "$CASE_DIR/replay/stderr.txt" >&2
  fail "the soak's replay differs: status $replay_status (the game's 0), draw-list hash ${replayed_hash:-none} (recorded $recorded_hash), state file $(same_state && echo same || echo different) (details in $CASE_DIR)"
fi
echo "soak: the headless replay of its journal ended the same (status 0, draw-list hash $recorded_hash, same state file)"
