#!/usr/bin/env bash
# Figures of the whole game process under Xvfb: CPU use on the title menu, while suspended (focus on
# another window: it must block, near 0) and during play, and the peak resident memory.
# Usage: bench/process_figures.sh [build dir]. MEASURE_SECONDS sets each measuring span (default 10).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export E2E_BUILD=$(cd "${1:-build}" && pwd)
source "$here/../tests/e2e/lib.sh"
span=${MEASURE_SECONDS:-10}

start_x
new_case
printf '[general]\ndrivers=null\n' > "$CASE_DIR/alsoft.conf"
start_game
wait_window
wait_title
open_other_window
xdotool windowfocus "$WIN"
sleep 1.5

ticks() { awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"; }
hz=$(getconf CLK_TCK)
# CPU use over $span seconds, in percent of one core.
cpu() { local a b; a=$(ticks); sleep "$span"; b=$(ticks); echo "scale=1; ($b - $a) * 100 / ($hz * $span)" | bc; }

title=$(cpu)
xdotool windowfocus "$OTHER_WIN"
sleep 1
suspended=$(cpu)
xdotool windowfocus "$WIN"
sleep 1
press Return
sleep 1
xdotool keydown z
( for _ in $(seq $((span * 2 + 4))); do xdotool keydown Up sleep 0.5 keyup Up keydown Down sleep 0.5 keyup Down; done ) &
EXTRA_PIDS+=($!)
sleep 2
playing=$(cpu)
xdotool keyup z
peak=$(awk '/^VmHWM/ { print $2 }' "/proc/$GAME_PID/status")
rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$GAME_PID/status")
echo "CPU use (percent of one core, ${span} s each): title menu $title, suspended $suspended, playing $playing"
echo "resident memory: peak $((peak / 1024)) MB, now $((rss / 1024)) MB"
press F4
expect_exit 0 3
