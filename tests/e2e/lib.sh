# Shared helpers of the end-to-end cases: each case runs the real game under its own Xvfb server in a
# fresh working directory, drives it with xdotool and reads screenshots, the state file, the exit status
# and the captured sound (OpenAL Soft's wave driver writes the mix to a file).
set -euo pipefail

E2E_BUILD=${E2E_BUILD:?E2E_BUILD must name the build directory}
GAME="$E2E_BUILD/vextrallis"

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts Xvfb on a free display and exports DISPLAY; the server ends with the case. The server picks the
# display number itself (-displayfd), so cases running at the same time never share or kill one another's.
# -noreset: without it the server resets whenever its last client leaves, and a game started again at
# that moment cannot open the display.
start_x() {
  local size=${1:-1024x768x24} numfile n
  numfile=$(mktemp /tmp/vx-e2e-display.XXXXXX)
  Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp -noreset 3>"$numfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    n=$(head -n1 "$numfile" 2>/dev/null || true)
    if [ -n "$n" ]; then
      rm -f "$numfile"
      export DISPLAY=":$n"
      for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
      fail "Xvfb did not start"
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  rm -f "$numfile"
  fail "Xvfb did not start"
}

# A fresh working directory with the sound captured to $CASE_DIR/sound.wav.
new_case() {
  CASE_DIR=$(mktemp -d /tmp/vx-e2e.XXXXXX)
  printf '[general]\ndrivers=wave\n[wave]\nfile=%s/sound.wav\n' "$CASE_DIR" > "$CASE_DIR/alsoft.conf"
  export ALSOFT_CONF="$CASE_DIR/alsoft.conf"
  cd "$CASE_DIR"
}

cleanup() {
  [ -n "${GAME_PID:-}" ] && kill "$GAME_PID" 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  [ -n "${CASE_DIR:-}" ] && [ -z "${E2E_KEEP:-}" ] && rm -rf "$CASE_DIR" || true
}
trap cleanup EXIT

start_game() {
  "$GAME" >"$CASE_DIR/stdout.txt" 2>"$CASE_DIR/stderr.txt" &
  GAME_PID=$!
}
# Starts the game recording its session into the journal $1 (only the game sees VX_RECORD).
start_recorded_game() { VX_RECORD="$1" start_game; }

# Waits for the game's window and stores its id in WIN.
wait_window() {
  for _ in $(seq 100); do
    WIN=$(xdotool search --name '^Vextrallis$' 2>/dev/null | head -n1 || true)
    [ -n "$WIN" ] && return 0
    kill -0 "$GAME_PID" 2>/dev/null || {
      set +e; wait "$GAME_PID"; local st=$?; set -e
      tail -n 5 "$CASE_DIR/stdout.txt" "$CASE_DIR/stderr.txt" >&2
      fail "the game ended before its window opened (status $st)"
    }
    sleep 0.1
  done
  fail "no window titled Vextrallis"
}

# Waits up to $2 seconds (default 3) for the game to end; the exit status must equal $1.
expect_exit() {
  local want=$1 limit=${2:-3} status
  for _ in $(seq $((limit * 10))); do
    if ! kill -0 "$GAME_PID" 2>/dev/null; then
      set +e; wait "$GAME_PID"; status=$?; set -e
      GAME_PID=
      [ "$status" = "$want" ] || fail "exit status $status, expected $want"
      return 0
    fi
    sleep 0.1
  done
  fail "the game did not end within $limit s"
}

key() { xdotool key --window "$WIN" "$@"; }
hold() { xdotool keydown --window "$WIN" "$1"; sleep "$2"; xdotool keyup --window "$WIN" "$1"; }
click_at() { xdotool mousemove --window "$WIN" "$1" "$2" click 1; }

shot() { import -window root "$CASE_DIR/$1.png"; }
# Mean brightness (0..1) of a region WxH+X+Y of a screenshot.
mean_of() { convert "$CASE_DIR/$1.png" -crop "$2" +repage -colorspace Gray -format '%[fx:mean]' info:; }
# Number of distinct colours in a region: a drawn picture has many, an empty area few.
colours_of() { convert "$CASE_DIR/$1.png" -crop "$2" +repage -format '%k' info:; }
gt() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

# Peak absolute sample (0..32767) of the captured 16-bit sound between $1 and $2 seconds.
sound_peak() {
  python3 - "$CASE_DIR/sound.wav" "$1" "$2" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
pos, rate, ch, bits, start = 12, 44100, 2, 16, None
while pos + 8 <= len(data):
    cid, size = data[pos:pos+4], struct.unpack('<I', data[pos+4:pos+8])[0]
    if cid == b'fmt ':
        _, ch, rate = struct.unpack('<HHI', data[pos+8:pos+16]); bits = struct.unpack('<H', data[pos+22:pos+24])[0]
    if cid == b'data':
        start = pos + 8; break
    pos += 8 + size + (size & 1)
if start is None: print(0); sys.exit()
bps = bits // 8 * ch
a, b = int(float(sys.argv[2]) * rate) * bps, int(float(sys.argv[3]) * rate) * bps
seg = data[start + a:start + b]
if bits == 16:
    vals = struct.unpack('<%dh' % (len(seg) // 2), seg[:len(seg) // 2 * 2])
    print(max((abs(v) for v in vals), default=0))
elif bits == 32:
    vals = struct.unpack('<%df' % (len(seg) // 4), seg[:len(seg) // 4 * 4])
    print(int(max((abs(v) for v in vals), default=0) * 32767))
else:
    print(max((abs(v - 128) for v in seg), default=0) * 256)
PY
}

# ---- Helpers added for the player's and operator's cases -------------------------------------------

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# Makes and reads state strings by the game's own rules (tests/e2e/state.py).
state() { python3 "$E2E_DIR/state.py" "$@"; }

# Processes a case starts besides the game and the X server (other windows); ended with the case.
EXTRA_PIDS=()
cleanup_extra() { for p in "${EXTRA_PIDS[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap 'cleanup_extra; cleanup' EXIT

# A press held long enough for the game's next update to see it (xdotool's click is too short).
tap() {
  xdotool mousemove --window "$WIN" "$1" "$2"
  sleep 0.05
  xdotool mousedown --window "$WIN" 1
  sleep "${3:-0.15}"
  xdotool mouseup --window "$WIN" 1
}
# Presses keys one after another, each held for a few updates, through the X server's input path (the
# focused window gets them, as from a keyboard; function keys sent to a window directly can get lost).
press() {
  local k
  for k in "$@"; do
    xdotool keydown "$k"; sleep 0.1
    xdotool keyup "$k"; sleep 0.15  # long enough for an update to see no key down, even on a busy machine
  done
}
# Holds a key for $2 seconds, the same way.
hold_key() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }

# Finds the game's visible window by its process (a full-screen window has no title) and stores it in
# WIN; with $1 (e.g. 640x480) waits until the window has that size.
find_window() {
  local want=${1:-} w geom
  for _ in $(seq 60); do
    for w in $(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null || true); do
      geom=$(xdotool getwindowgeometry "$w" 2>/dev/null | awk '/Geometry/ {print $2}')
      if [ -z "$want" ] || [ "$geom" = "$want" ]; then WIN=$w; return 0; fi
    done
    sleep 0.1
  done
  fail "no game window${want:+ of $want}"
}

# A screenshot of the game's window only (640 x 480 while windowed).
shot_win() { import -window "$WIN" "$CASE_DIR/$1.png"; }
# Mean red, green and blue (0..1) of a region WxH+X+Y of a screenshot.
rgb_of() { convert "$CASE_DIR/$1.png" -crop "$2" +repage -format '%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]\n' info:; }
# Fraction of a region's pixels brighter than 0.7 (white text and icons).
bright_of() {
  convert "$CASE_DIR/$1.png" -crop "$2" +repage -colorspace Gray -threshold 70% -format '%[fx:mean]' info:
}

# The title menu is up when its green start icon shows at the bottom right of the 640 x 480 window.
is_title() {
  local r g b
  read -r r g b < <(rgb_of "$1" 40x40+550+412)
  awk -v r="$r" -v g="$g" 'BEGIN { exit !(g - r > 0.12) }'
}
# Waits up to $1 seconds (default 8) for the title menu; stores the seconds it took in TITLE_AFTER.
wait_title() {
  local limit=${1:-8} t0 now
  t0=$(date +%s.%N)
  while true; do
    shot_win title_wait 2>/dev/null || true
    if [ -f "$CASE_DIR/title_wait.png" ] && is_title title_wait; then
      now=$(date +%s.%N); TITLE_AFTER=$(echo "$now - $t0" | bc); return 0
    fi
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before the title menu showed"
    now=$(date +%s.%N)
    gt "$(echo "$now - $t0" | bc)" "$limit" && fail "no title menu within $limit s"
    sleep 0.05
  done
}

# "PAUSED" is large white text right of the centre while the pause menu is up.
is_paused() { gt "$(bright_of "$1" 200x50+316+215)" 0.08; }

# The notice that settings and scores cannot be saved shows: its dark blue bar lies across the foot of
# the 640 x 480 window (sampled right of the start icon, where the title menu is otherwise dark).
has_save_notice() {
  local r g b
  read -r r g b < <(rgb_of "$1" 36x28+600+442)
  awk -v r="$r" -v b="$b" 'BEGIN { exit !(b > 0.2 && r < 0.05) }'
}

# Seconds of sound captured so far (the wave driver writes in real time).
sound_seconds() {
  python3 - "$CASE_DIR/sound.wav" <<'PY'
import os, sys
try:
    print('%.2f' % (max(0, os.path.getsize(sys.argv[1]) - 80) / 352800.0))
except OSError:
    print('0')
PY
}

# Starts a second small X client (an xmessage window) and stores its window id in OTHER_WIN. A client
# that ends or stays without a window on a loaded machine is started again, twice at most.
open_other_window() {
  local attempt pid
  for attempt in 1 2 3; do
    xmessage -geometry 200x60+0+0 -name vxother "another window" >/dev/null 2>>"$CASE_DIR/xmessage.txt" &
    pid=$!
    EXTRA_PIDS+=($pid)
    for _ in $(seq 100); do
      OTHER_WIN=$(xdotool search --classname '^vxother$' 2>/dev/null | head -n1 || true)
      [ -n "$OTHER_WIN" ] && return 0
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    echo "open_other_window: attempt $attempt had no window" >&2
  done
  tail -n 5 "$CASE_DIR/xmessage.txt" >&2 || true
  fail "the other window did not open"
}

# The last line of the VX_STATS output the game printed (stdout.txt), as "updates renders gc_alloced".
last_stats() { grep '^stats t=' "$CASE_DIR/stdout.txt" | tail -n1 | sed -E 's/.*updates=([0-9]+) renders=([0-9]+) gc_alloced=([0-9]+).*/\1 \2 \3/'; }

# ---- Waiting for a screen instead of for a time --------------------------------------------------------

# Waits up to $2 seconds (default 8) until the test $1 holds for a screenshot of the window (screen_wait);
# $3 names the screen in the failure message.
wait_screen() {
  local test=$1 limit=${2:-8} what=${3:-$1} t0
  t0=$(date +%s.%N)
  while true; do
    if shot_win screen_wait 2>/dev/null && "$test" screen_wait; then return 0; fi
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before $what showed"
    gt "$(echo "$(date +%s.%N) - $t0" | bc)" "$limit" && fail "no $what within $limit s"
    sleep 0.05
  done
}
# Play: neither the title menu nor the pause menu.
is_playing() { ! is_title "$1" && ! is_paused "$1"; }
wait_playing() { wait_screen is_playing "${1:-8}" "play"; }
wait_paused() { wait_screen is_paused "${1:-8}" "pause menu"; }

# Fraction of a region's pixels that are the yellow of the keyboard cursor.
yellow_of() {
  convert "$CASE_DIR/$1.png" -crop "$2" +repage -fx '(r>0.6&&g>0.6&&b<0.45)?1:0' -colorspace Gray \
    -format '%[fx:mean]' info:
}
# The pause menu's keyboard cursor, a yellow frame, is on the quit button (the top one of the column).
is_quit_chosen() { gt "$(yellow_of "$1" 72x72+28+60)" 0.1; }

# Waits up to $1 seconds (default 10) for the bare title menu. After a run the game-over overlay fades
# out over the title for about 40 updates, and the menu takes no key until it has gone; the title's start
# icon shows through the last of the fading shade, so is_title alone comes too early. The overlay changes
# with every update while it is light enough for that, and the bare title's start icon does not change
# at all: the menu is bare once two screenshots a third of a second apart show the same title.
wait_bare_title() {
  local limit=${1:-10} t0 before= now
  t0=$(date +%s.%N)
  while true; do
    if shot_win bare_wait 2>/dev/null && is_title bare_wait; then
      now=$(rgb_of bare_wait 40x40+550+412)
      [ "$now" = "$before" ] && return 0
      before=$now
      sleep 0.33
    else
      before=
      sleep 0.05
    fi
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before the bare title menu showed"
    gt "$(echo "$(date +%s.%N) - $t0" | bc)" "$limit" && fail "no bare title menu within $limit s"
  done
}
