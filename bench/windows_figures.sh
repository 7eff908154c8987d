#!/usr/bin/env bash
# The Windows build under Wine beside the Linux build, in the same run and the same Xvfb, alternating
# (ROUNDS pairs, default 3), given as medians and the ratio Windows / Linux:
# - the first frame: from the launch to the window showing the game's clear colour, seen from outside
#   (both programs measured the same way, so Wine's own start-up counts);
# - CPU on the title menu over MEASURE_SECONDS (default 10), in percent of one core: the game's process,
#   and under Wine its process plus the wineserver's;
# - peak resident memory on the title.
# These describe Wine on this machine, not Windows. Usage: bench/windows_figures.sh [linux build] [windows
# build] (default build and build-win).
set -euo pipefail
cd "$(dirname "$0")/.."
linux=$(cd "${1:-build}" && pwd)
win=$(cd "${2:-build-win}" && pwd)
span=${MEASURE_SECONDS:-10}
rounds=${ROUNDS:-3}
source tools/windows/wine-env.sh
vx_wine_start
# Wine's own services (what Windows keeps running anyway) end a moment after its last program does, and
# starting them again adds about 10 s to the next program's start on this machine. A command prompt waiting
# on an idle pipe keeps them up, so each start below is the program's own.
sleep infinity | wine cmd >/dev/null 2>&1 &
keeper=$!
trap 'kill $keeper 2>/dev/null; pkill -P $$ sleep 2>/dev/null; vx_wine_stop' EXIT
sleep 2
export ALSOFT_DRIVERS=null

hz=$(getconf CLK_TCK)
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
peak_mb() { awk '/^VmHWM/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
now() { date +%s.%N; }
gt() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
# True once window $1 shows something other than black at its middle (read off the screen: a grab of a
# Wine window itself can hang).
drawn() {
  local px X=0 Y=0 WIDTH=0 HEIGHT=0 SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)" || return 1
  px=$(timeout 2 import -window root -crop "1x1+$((X + WIDTH / 2))+$((Y + HEIGHT / 2))" txt:- 2>/dev/null |
       tail -n 1) || return 1
  [[ "$px" == *"srgb"* && "$px" != *"srgb(0,0,0)"* && "$px" != *" black" ]]
}

declare -a l_frame l_cpu l_mem w_frame w_cpu w_mem

# One run: $1 linux|windows. Starts the game in its folder, waits for the first frame and the title,
# measures, and ends it with F4.
run_one() {
  local kind=$1 t0 w="" pid server a b sa sb frame
  t0=$(now)
  if [ "$kind" = linux ]; then
    (cd "$VX_WINE_DIR/linux" && exec "$linux/vextrallis" >/dev/null 2>&1) &
  else
    (cd "$VX_WINE_DIR/windows" && exec wine ./vextrallis.exe >/dev/null 2>&1) &
  fi
  local launcher=$!
  # Looked for every 50 ms, up to 30 s: polling faster takes a core from the program being timed on a
  # small machine (Wine's start, which is CPU-bound, then took four times as long).
  while gt 30 "$(echo "$(now) - $t0" | bc)"; do
    w=$(xdotool search --onlyvisible --name '^Vextrallis$' 2>/dev/null | head -n 1) || true
    [ -n "$w" ] && drawn "$w" && break
    sleep 0.05
  done
  frame=$(echo "$(now) - $t0" | bc)
  if [ "$kind" = linux ]; then pid=$launcher; else pid=$(pgrep -n -f 'vextrallis\.exe'); fi
  sleep 4  # the loader's work is done and the title menu runs
  server=$(pgrep -n wineserver || true)
  a=$(ticks "$pid"); sa=$([ -n "$server" ] && ticks "$server" || echo 0)
  sleep "$span"
  b=$(ticks "$pid"); sb=$([ -n "$server" ] && ticks "$server" || echo 0)
  local cpu
  if [ "$kind" = linux ]; then cpu=$(echo "scale=1; ($b - $a) * 100 / ($hz * $span)" | bc)
  else cpu=$(echo "scale=1; ($b - $a + $sb - $sa) * 100 / ($hz * $span)" | bc); fi
  local mem; mem=$(peak_mb "$pid")
  # Held for 0.1 s as a player would; the release goes to the server, so no key stays down for the next
  # program once this one has gone.
  xdotool keydown --window "$w" F4; sleep 0.1; xdotool keyup F4 2>/dev/null || true
  wait "$launcher" 2>/dev/null || true
  if [ "$kind" = linux ]; then l_frame+=("$frame"); l_cpu+=("$cpu"); l_mem+=("$mem")
  else w_frame+=("$frame"); w_cpu+=("$cpu"); w_mem+=("$mem"); fi
  echo "$kind: first frame ${frame} s, title CPU ${cpu}%, peak ${mem} MB"
}

mkdir -p "$VX_WINE_DIR/linux" "$VX_WINE_DIR/windows"
cp -r "$win/vextrallis.exe" "$win/OpenAL32.dll" "$win/data" "$VX_WINE_DIR/windows/"
for r in $(seq "$rounds"); do
  run_one linux
  run_one windows
done
m() { printf '%s\n' "$@" | median; }
row() { printf '%-30s linux %8s  windows under Wine %8s  ratio %s\n' "$1" "$2" "$3" "$(echo "scale=2; $3 / $2" | bc)"; }
echo "medians of $rounds alternating runs:"
row "first frame (s)" "$(m "${l_frame[@]}")" "$(m "${w_frame[@]}")"
row "CPU on the title (%)" "$(m "${l_cpu[@]}")" "$(m "${w_cpu[@]}")"
row "peak memory, title (MB)" "$(m "${l_mem[@]}")" "$(m "${w_mem[@]}")"
