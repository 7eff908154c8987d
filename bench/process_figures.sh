#!/usr/bin/env bash
# Figures of the whole game process under Xvfb, each beside the same figure of the bare-window baseline
# (vx_bare_window: a GLFW 3 window that clears and swaps at 60 Hz with OpenAL open) measured in the same
# run. Game and baseline runs alternate (ROUNDS pairs, default 3) so that both see the same load, and
# each figure is printed as the game's median, the baseline's median and their difference or ratio:
# - peak resident memory at the title and after a game (the difference is the game's own share);
# - CPU on the title menu;
# - the first frame after launch (bench_startup, alternating the same way; STARTUP_RUNS, default 9).
# The game's CPU while suspended (focus on another window: it must block, near 0) and while playing are
# printed too. Usage: bench/process_figures.sh [build dir]. MEASURE_SECONDS sets each span (default 10).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export E2E_BUILD=$(cd "${1:-build}" && pwd)
source "$here/../tests/e2e/lib.sh"
span=${MEASURE_SECONDS:-10}
rounds=${ROUNDS:-3}
BARE="$E2E_BUILD/vx_bare_window"
[ -x "$BARE" ] || fail "no $BARE (build the target vx_bare_window)"

start_x
new_case
printf '[general]\ndrivers=null\n' > "$CASE_DIR/alsoft.conf"

hz=$(getconf CLK_TCK)
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# CPU use of process $1 over $span seconds, in percent of one core.
cpu() { local a b; a=$(ticks "$1"); sleep "$span"; b=$(ticks "$1"); echo "scale=1; ($b - $a) * 100 / ($hz * $span)" | bc; }
peak_mb() { awk '/^VmHWM/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

declare -a g_title g_after g_cpu g_susp g_play b_title b_after b_cpu

# One run of the game: the title, another window in front (suspended), a game played with fire held, then
# quit through the pause menu back to the title.
game_round() {
  start_game
  wait_window
  wait_title
  xdotool windowfocus "$WIN"
  sleep 1.5
  g_cpu+=("$(cpu "$GAME_PID")")
  g_title+=("$(peak_mb "$GAME_PID")")
  open_other_window
  xdotool windowfocus "$OTHER_WIN"
  sleep 1
  g_susp+=("$(cpu "$GAME_PID")")
  kill "${EXTRA_PIDS[-1]}" 2>/dev/null || true
  xdotool windowfocus "$WIN"
  sleep 1
  press Return
  sleep 1
  xdotool keydown z
  ( for _ in $(seq $((span * 2 + 4))); do xdotool keydown Up sleep 0.5 keyup Up keydown Down sleep 0.5 keyup Down; done ) &
  local steer=$!
  sleep 2
  g_play+=("$(cpu "$GAME_PID")")
  kill "$steer" 2>/dev/null || true
  wait "$steer" 2>/dev/null || true
  xdotool keyup z keyup Up keyup Down
  sleep 0.5
  # Pause and quit, unless the run already ended on its own (Escape on the title would end the game).
  shot_win after_play
  if ! is_title after_play; then
    press Escape
    sleep 0.6
    press Up Return
  fi
  wait_title 10
  sleep 1
  g_after+=("$(peak_mb "$GAME_PID")")
  press F4
  expect_exit 0 3
}

# One run of the baseline over about the same time as a game run.
bare_round() {
  "$BARE" >/dev/null 2>&1 &
  local pid=$!
  for _ in $(seq 100); do xdotool search --name '^Vextrallis baseline$' >/dev/null 2>&1 && break; sleep 0.1; done
  sleep 1.5
  b_cpu+=("$(cpu "$pid")")
  b_title+=("$(peak_mb "$pid")")
  sleep $((span + 6))
  b_after+=("$(peak_mb "$pid")")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

for r in $(seq "$rounds"); do
  game_round
  bare_round
  echo "round $r: game title ${g_title[-1]} MB, after a game ${g_after[-1]} MB, title CPU ${g_cpu[-1]}%;" \
       "baseline ${b_title[-1]} MB, ${b_after[-1]} MB, CPU ${b_cpu[-1]}%"
done

m() { printf '%s\n' "$@" | median; }
row() {  # name, unit, game, baseline, "diff" or "ratio"
  local d
  if [ "$5" = diff ]; then d=$(echo "$3 - $4" | bc); d="own share $d $2"
  else d="ratio $(echo "scale=2; $3 / $4" | bc)"; fi
  printf '%-34s game %8s %-3s baseline %8s %-3s %s\n' "$1" "$3" "$2" "$4" "$2" "$d"
}
echo "medians of $rounds alternating runs (${span} s spans):"
row "peak resident memory, title" MB "$(m "${g_title[@]}")" "$(m "${b_title[@]}")" diff
row "peak resident memory, after a game" MB "$(m "${g_after[@]}")" "$(m "${b_after[@]}")" diff
row "CPU on the title (one core)" % "$(m "${g_cpu[@]}")" "$(m "${b_cpu[@]}")" ratio
echo "CPU while suspended $(m "${g_susp[@]}")%, while playing $(m "${g_play[@]}")% (game only)"
if [ -x "$E2E_BUILD/bench/bench_startup" ]; then
  "$E2E_BUILD/bench/bench_startup" "${STARTUP_RUNS:-9}" --baseline "$BARE" | tail -n 1
else
  echo "first frame: no bench_startup in $E2E_BUILD/bench (needs Google Benchmark and VX_BENCH)"
fi
