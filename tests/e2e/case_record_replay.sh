# A recorded keyboard session replays to the same result: the game runs with VX_RECORD under Xvfb
# (title, start, fly with fire, pause, quit, the run is filed), then VX_REPLAY with VX_HEADLESS=1 and no
# display plays the journal in an empty folder, and VX_REPLAY alone plays it in a window. Each replay must
# end as the game did, write the same state file and reach the same draw-list hash. Damaged journals are then refused, each with one line
# and status 2, and leave the folder's state file as it was.
source "$(dirname "$0")/lib.sh"
start_x
new_case

state make opt5=2 last2=2201,2202,2203,2204,2205,2206,2207,2208,2209,2210 > .trazelstate
journal="$CASE_DIR/session.journal"
start_recorded_game "$journal"
wait_window
wait_title

before=$(state get .trazelstate last2)
press Return                 # Normal is selected: start a run
sleep 0.8
xdotool keydown z
hold_key Up 0.8
hold_key Down 0.8
xdotool keyup z
press Escape                 # pause
sleep 0.5
press Up Return              # quit from the pause menu: the run is filed
wait_title 6
sleep 0.3
press Escape                 # leave from the bare title menu
expect_exit 0 3

after=$(state get .trazelstate last2)
[ "${after#*,}" = "${before%,*}" ] || fail "the recorded run was not filed (last ten $before -> $after)"
recorded_hash=$(sed -n 's/^Vextrallis journal: .* written (draw-list hash \([0-9a-f]*\))$/\1/p' "$CASE_DIR/stderr.txt")
[ -n "$recorded_hash" ] || { cat "$CASE_DIR/stderr.txt" >&2; fail "the recording did not report its journal"; }
echo "journal: $(stat -c %s "$journal") bytes, draw-list hash $recorded_hash"

# Headless replay in an empty folder, without a display and with silent sound.
mkdir "$CASE_DIR/replay"
printf '[general]\ndrivers=null\n' > "$CASE_DIR/silent.conf"
replay() {  # $1 folder, $2 journal; sets REPLAY_STATUS
  set +e
  (cd "$1" && env -u DISPLAY ALSOFT_CONF="$CASE_DIR/silent.conf" VX_REPLAY="$2" VX_HEADLESS=1 \
     timeout 60 "$GAME" >"$1/stdout.txt" 2>"$1/stderr.txt")
  REPLAY_STATUS=$?
  set -e
}
t0=$(date +%s.%N)
replay "$CASE_DIR/replay" "$journal"
echo "headless replay took $(echo "$(date +%s.%N) - $t0" | bc) s"
[ "$REPLAY_STATUS" = 0 ] || { cat "$CASE_DIR/replay/stderr.txt" >&2; fail "replay ended with status $REPLAY_STATUS"; }
replayed_hash=$(sed -n 's/^Vextrallis replay: [0-9]* frames matched the journal (draw-list hash \([0-9a-f]*\))$/\1/p' \
  "$CASE_DIR/replay/stderr.txt")
grep '^Vextrallis replay' "$CASE_DIR/replay/stderr.txt"
[ "$replayed_hash" = "$recorded_hash" ] || fail "final draw-list hash $replayed_hash, recorded $recorded_hash"
cmp "$CASE_DIR/replay/.trazelstate" .trazelstate || fail "the replay filed another state file than the recorded run"

# The same in a window, at the recorded pace: the window shows the title menu as the recorded run did.
mkdir "$CASE_DIR/window"
(cd "$CASE_DIR/window" && ALSOFT_CONF="$CASE_DIR/silent.conf" VX_REPLAY="$journal" "$GAME" \
   >"$CASE_DIR/window/stdout.txt" 2>"$CASE_DIR/window/stderr.txt") &
GAME_PID=$!
wait_window
wait_title
expect_exit 0 20
grep -q "frames matched the journal (draw-list hash $recorded_hash)" "$CASE_DIR/window/stderr.txt" || \
  { cat "$CASE_DIR/window/stderr.txt" >&2; fail "the replay in a window did not match the journal"; }
cmp "$CASE_DIR/window/.trazelstate" .trazelstate || fail "the replay in a window filed another state file"

# Damaged journals: one line, status 2, the folder's own state file untouched.
size=$(stat -c %s "$journal")
mkdir "$CASE_DIR/bad"
echo "a player's own state" > "$CASE_DIR/bad/.trazelstate"
damage() {  # $1 name, $2 expected text in the message; the damaged journal is $CASE_DIR/bad.journal
  replay "$CASE_DIR/bad" "$CASE_DIR/bad.journal"
  local lines
  lines=$(wc -l < "$CASE_DIR/bad/stderr.txt")
  [ "$REPLAY_STATUS" = 2 ] || { cat "$CASE_DIR/bad/stderr.txt" >&2; fail "$1: status $REPLAY_STATUS, expected 2"; }
  [ "$lines" = 1 ] || { cat "$CASE_DIR/bad/stderr.txt" >&2; fail "$1: $lines lines on standard error, expected one"; }
  grep -q "$2" "$CASE_DIR/bad/stderr.txt" || { cat "$CASE_DIR/bad/stderr.txt" >&2; fail "$1: the message does not say '$2'"; }
  [ "$(cat "$CASE_DIR/bad/.trazelstate")" = "a player's own state" ] || fail "$1: the state file was touched"
  echo "$1: $(cat "$CASE_DIR/bad/stderr.txt")"
}
# Cut in the middle, and always inside a record (a buffer-swap record's code, 10, whose hash then lacks,
# follows the cut; a cut that fell on a frame's end would be a whole journal of a killed run): what a
# run that ended at once leaves. It replays up to the cut, then ends with 4, saying where.
mkdir "$CASE_DIR/cut"
{ head -c $((size / 2)) "$journal"; printf '\x0a'; } > "$CASE_DIR/cut.journal"
replay "$CASE_DIR/cut" "$CASE_DIR/cut.journal"
[ "$REPLAY_STATUS" = 4 ] || { cat "$CASE_DIR/cut/stderr.txt" >&2; fail "cut journal: status $REPLAY_STATUS, expected 4"; }
grep -q "the journal ends after frame [0-9]*, where the game asks for .*: the recorded run was cut short there" \
  "$CASE_DIR/cut/stderr.txt" || { cat "$CASE_DIR/cut/stderr.txt" >&2; fail "cut journal: no message saying where it ends"; }
echo "cut in the middle: $(cat "$CASE_DIR/cut/stderr.txt")"
# Damaged in the middle, the file going on past it: refused, not taken for a cut there. A run of 0xFF
# bytes longer than any field of 8 bytes reaches a record code or a number, which it makes impossible;
# a shorter one may sit inside a clock reading or a hash and only change a value.
{ head -c $((size / 2)) "$journal"; printf '\xff%.0s' $(seq 16); tail -c +$((size / 2 + 17)) "$journal"; } \
  > "$CASE_DIR/bad.journal"
damage "damaged in the middle" "damaged at byte"
head -c 20 "$journal" > "$CASE_DIR/bad.journal";                        damage "cut in the header" "truncated in its header"
: > "$CASE_DIR/bad.journal";                                             damage "empty file" "not a journal"
head -c 4000 /dev/urandom > "$CASE_DIR/bad.journal";                    damage "garbage" "not a journal"
{ head -c 8 "$journal"; printf '\x07\x00'; tail -c +11 "$journal"; } > "$CASE_DIR/bad.journal"
damage "wrong version" "version 7"
# The build identity is the header's first text, after the mark and version: a length byte (zigzag, so
# twice the length) and the hex digits, here all replaced by zeros.
idlen=$(( $(od -An -tu1 -j10 -N1 "$journal") / 2 ))
{ head -c 11 "$journal"; printf '0%.0s' $(seq "$idlen"); tail -c +$((12 + idlen)) "$journal"; } > "$CASE_DIR/bad.journal"
damage "another build" "another build"
damage_missing() { rm -f "$CASE_DIR/bad.journal"; damage "missing file" "cannot read"; }
damage_missing
# A good journal is refused too when the folder holds another state file than the recorded start.
cp "$journal" "$CASE_DIR/bad.journal";                                   damage "foreign state file" "already has a state file"
