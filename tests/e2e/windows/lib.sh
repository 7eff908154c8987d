# Shared helpers of the Windows end-to-end cases: each case boots its own Wine (a private Xvfb and a fresh
# prefix, tools/windows/wine-env.sh), copies the Windows build into folders of its own, runs the game
# there under Wine, drives it with xdotool and reads screenshots, the state file, the exit status and the
# captured sound. WIN_BUILD names the Windows build folder (vextrallis.exe, OpenAL32.dll, data/).
set -euo pipefail

WIN_BUILD=${WIN_BUILD:?WIN_BUILD must name the Windows build folder}
E2E_WIN_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
REPO_DIR=$(cd "$E2E_WIN_DIR/../../.." && pwd)
# shellcheck source=../../../tools/windows/wine-env.sh
. "$REPO_DIR/tools/windows/wine-env.sh"

fail() { echo "FAIL: $*" >&2; exit 1; }
# Makes and reads state strings by the game's own rules.
state() { python3 "$E2E_WIN_DIR/../state.py" "$@"; }
gt() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
now() { date +%s.%N; }
since() { echo "$(now) - $1" | bc; }

GAME_PID=
HELD=()        # keys pressed and not yet released
UNLOCK=()      # folders made unwritable, to be made writable again before the case's folder goes
cleanup() {
  local k d
  for k in "${HELD[@]}"; do xdotool keyup "$k" 2>/dev/null || true; done
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
  for d in "${UNLOCK[@]}"; do make_writable "$d"; done
  if [ -n "${E2E_KEEP:-}" ] && [ -n "${VX_WINE_DIR:-}" ]; then
    mkdir -p "$E2E_KEEP"
    find "$VX_WINE_DIR" -mindepth 1 -maxdepth 1 ! -name prefix -exec cp -r {} "$E2E_KEEP"/ \; 2>/dev/null || true
  fi
  vx_wine_stop
}
trap cleanup EXIT

# Boots the case's Wine; the case's files go in CASE_DIR, which goes with it.
wine_up() {
  vx_wine_start || fail "Wine did not start"
  CASE_DIR=$VX_WINE_DIR
  STDOUT=$CASE_DIR/stdout.txt
  STDERR=$CASE_DIR/stderr.txt
}

# A Windows path for a path on this side (Wine's drive Z: is the root).
winpath() { local p=${1//\//\\}; echo "Z:$p"; }

# A folder holding the game as it is unpacked: the program, OpenAL32.dll and the data folder.
game_folder() {
  mkdir -p "$1"
  cp "$WIN_BUILD/vextrallis.exe" "$WIN_BUILD/OpenAL32.dll" "$1/"
  cp -r "$WIN_BUILD/data" "$1/data"
}

# Starts the game in folder $1 (its working folder; the program is $1/vextrallis.exe unless GAME_EXE names
# another), with the further VAR=VALUE pairs in its environment only. Its output goes to $STDOUT and $STDERR.
start_game() {
  local dir=$1
  shift
  local exe=${GAME_EXE:-$dir/vextrallis.exe}
  (cd "$dir" && exec env "$@" wine "$exe") >"$STDOUT" 2>"$STDERR" &
  GAME_PID=$!
}

# A headless replay of journal $2 (a Windows path, or a name in the folder) in folder $1, by the game in
# the case's folder $game, with no display at all; sets status.
replay_headless() {
  set +e
  (cd "$1" && exec env -u DISPLAY ALSOFT_DRIVERS=null VX_REPLAY="$2" VX_HEADLESS=1 \
     timeout 120 wine "$game/vextrallis.exe") >"$STDOUT" 2>"$STDERR"
  status=$?
  set -e
}

# Sound captured by OpenAL Soft's wave writer into $1 (32-bit float stereo at 48 kHz), through a
# configuration file named by ALSOFT_CONF; prints the VAR=VALUE pair for start_game.
wave_writer() {
  printf '[general]\ndrivers=wave\n[wave]\nfile=%s\n' "$(winpath "$1")" > "$CASE_DIR/alsoft-wave.conf"
  echo "ALSOFT_CONF=$(winpath "$CASE_DIR/alsoft-wave.conf")"
}

# The game's standard output and error, without the carriage returns a Windows program writes at line ends.
out_text() { tr -d '\r' < "$STDOUT"; }
err_text() { tr -d '\r' < "$STDERR"; }

game_ended() {
  set +e; wait "$GAME_PID"; local st=$?; set -e
  GAME_PID=
  tail -n 5 "$STDOUT" "$STDERR" >&2
  fail "the game ended $1 (status $st)"
}

# Waits for the game's window and stores it in WIN (Wine's frame, a top-level X window) and CLIENT (the
# child window the game draws into), then makes sure it has the keyboard focus. Wine's first start of a
# program in a fresh prefix takes a few seconds more than later ones.
wait_window() {
  local t0 f
  t0=$(now)
  WIN= CLIENT=
  while [ -z "$WIN" ]; do
    WIN=$(xdotool search --name '^Vextrallis$' 2>/dev/null | head -n1 || true)
    [ -n "$WIN" ] && break
    kill -0 "$GAME_PID" 2>/dev/null || game_ended "before its window opened"
    gt "$(since "$t0")" 60 && fail "no window titled Vextrallis within 60 s"
    sleep 0.1
  done
  while [ -z "$CLIENT" ]; do
    CLIENT=$(xwininfo -children -id "$WIN" 2>/dev/null | awk '$1 ~ /^0x/ { print $1; exit }' || true)
    [ -n "$CLIENT" ] && break
    gt "$(since "$t0")" 60 && fail "the window has no client area"
    sleep 0.1
  done
  # Wine activates a program's new window; when another one held the focus, a click on the window's
  # caption brings it.
  for _ in $(seq 30); do
    f=$(xdotool getwindowfocus 2>/dev/null || true)
    [ "$f" = "$WIN" ] || [ "$f" = "$((CLIENT))" ] && return 0
    sleep 0.1
  done
  xdotool mousemove --window "$WIN" 60 8 click 1
  for _ in $(seq 30); do
    f=$(xdotool getwindowfocus 2>/dev/null || true)
    [ "$f" = "$WIN" ] || [ "$f" = "$((CLIENT))" ] && return 0
    sleep 0.1
  done
  fail "the game's window does not get the keyboard focus"
}

# Waits up to $2 seconds (default 5) for the game to end; its exit status must equal $1.
expect_exit() {
  local want=$1 limit=${2:-5} status t0
  t0=$(now)
  while kill -0 "$GAME_PID" 2>/dev/null; do
    gt "$(since "$t0")" "$limit" && fail "the game did not end within $limit s"
    sleep 0.1
  done
  set +e; wait "$GAME_PID"; status=$?; set -e
  GAME_PID=
  [ "$status" = "$want" ] || { tail -n 5 "$STDOUT" "$STDERR" >&2; fail "exit status $status, expected $want"; }
}

# Keys go to the window (xdotool --window), held for 0.1 s: a tap is missed by the game's per-frame key
# polling. A key whose window has gone by the time it is released (F4 ends the game while held) is released
# through the X server instead: left down, it would end the next game at once.
key_down() { xdotool keydown --window "$WIN" "$1"; HELD+=("$1"); }
key_up() {
  xdotool keyup --window "$WIN" "$1" 2>/dev/null || xdotool keyup "$1"
  local k rest=()
  for k in "${HELD[@]}"; do [ "$k" = "$1" ] || rest+=("$k"); done
  HELD=("${rest[@]}")
}
press() {
  local k
  for k in "$@"; do
    key_down "$k"; sleep 0.1
    key_up "$k"; sleep 0.15  # an update sees the key up before the next press
  done
}

# A screenshot of the client area (640 x 480), and what the Linux cases read from it.
shot() { import -window "$CLIENT" "$CASE_DIR/$1.png"; }
rgb_of() { convert "$CASE_DIR/$1.png" -crop "$2" +repage -format '%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]\n' info:; }
bright_of() {
  convert "$CASE_DIR/$1.png" -crop "$2" +repage -colorspace Gray -threshold 70% -format '%[fx:mean]' info:
}
# The title menu is up when its green start icon shows at the bottom right.
is_title() {
  local r g b
  read -r r g b < <(rgb_of "$1" 40x40+550+412)
  awk -v r="$r" -v g="$g" 'BEGIN { exit !(g - r > 0.12) }'
}
# "PAUSED" is large white text right of the centre while the pause menu is up.
is_paused() { gt "$(bright_of "$1" 200x50+316+215)" 0.08; }

not_title() { ! is_title "$1"; }

# The notice that settings and scores cannot be saved shows: its dark blue bar lies across the foot of
# the 640 x 480 window (sampled right of the start icon, where the title menu is otherwise dark).
has_save_notice() {
  local r g b
  read -r r g b < <(rgb_of "$1" 36x28+600+442)
  awk -v r="$r" -v b="$b" 'BEGIN { exit !(b > 0.2 && r < 0.05) }'
}

# Waits up to $2 seconds for a screenshot (kept as screen.png) that passes test $1 (is_title, not_title,
# is_paused); fails when the game ends meanwhile, returns 1 when the time runs out.
wait_screen() {
  local test=$1 limit=$2 t0
  t0=$(now)
  until shot screen 2>/dev/null && "$test" screen; do
    kill -0 "$GAME_PID" 2>/dev/null || game_ended "while waiting for a screen that passes $test"
    gt "$(since "$t0")" "$limit" && return 1
    sleep 0.1
  done
}

# Waits up to $1 seconds (default 15) for the title menu.
wait_title() { wait_screen is_title "${1:-15}" || fail "no title menu within ${1:-15} s"; }
# The title menu takes keys once it has slid in, and after a run once the game-over overlay has faded
# (the overlay holds the keys while it shows): a second after its start icon shows.
menu_ready() { wait_title "$@"; sleep 1.0; }

# Return on a ready title menu starts a run on the difficulty the wheel shows.
start_run() {
  press Return
  wait_screen not_title 5 || fail "still on the title menu after Return"
}

# From a ready title menu: starts a run, pauses it and quits it from the pause menu, which files it; back
# on a ready title menu.
quit_run() {
  start_run
  sleep 0.5
  press Escape
  wait_screen is_paused 5 || fail "no pause menu after Escape"
  sleep 0.4  # the menu's cursor takes keys once the menu is open
  press Up Return
  menu_ready
}

# Makes folder $1 unwritable for the game, and writable again. Root writes into a folder without write
# permission all the same, so as root the folder is also made immutable (nothing can be made, renamed or
# removed in it).
make_unwritable() {
  chmod a-w "$1"
  if [ "$(id -u)" = 0 ]; then
    chattr +i "$1" || fail "cannot make $1 immutable (chattr +i) for a root run"
  fi
  UNLOCK+=("$1")
}
make_writable() {
  [ "$(id -u)" = 0 ] && chattr -i "$1" 2>/dev/null
  chmod u+w "$1" 2>/dev/null || true
}

# Seconds of sound in the wave writer's file $1 so far (it writes as the mix plays: 384000 bytes a second).
sound_seconds() {
  python3 - "$1" <<'PY'
import os, sys
try:
    print('%.2f' % (max(0, os.path.getsize(sys.argv[1]) - 80) / 384000.0))
except OSError:
    print('0')
PY
}
# Root mean square (0..1) of the wave writer's file $1 between $2 and $3 seconds.
sound_rms() { python3 "$E2E_WIN_DIR/wave.py" rms "$@"; }
