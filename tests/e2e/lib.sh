# Shared helpers of the end-to-end cases: each case runs the real game under its own Xvfb server in a
# fresh working directory, drives it with xdotool and reads screenshots, the state file, the exit status
# and the captured sound (OpenAL Soft's wave driver writes the mix to a file).
set -euo pipefail

E2E_BUILD=${E2E_BUILD:?E2E_BUILD must name the build directory}
GAME="$E2E_BUILD/vextrallis"

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts Xvfb on a free display and exports DISPLAY; the server ends with the case.
start_x() {
  local size=${1:-1024x768x24}
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 &
      XVFB_PID=$!
      export DISPLAY=":$n"
      for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
      fail "Xvfb did not start"
    fi
  done
  fail "no free display"
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

# Waits for the game's window and stores its id in WIN.
wait_window() {
  for _ in $(seq 100); do
    WIN=$(xdotool search --name '^Vextrallis$' 2>/dev/null | head -n1 || true)
    [ -n "$WIN" ] && return 0
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its window opened"
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
