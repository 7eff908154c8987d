# A damaged state file: one number changed, cut short, empty, a megabyte of digits, bytes that are not
# UTF-8, a directory in its place, and a folder the game may not write to. The game starts every time,
# keeps exactly the sections whose checksums hold (a save at suspend shows what it kept), and ends with 0.
source "$(dirname "$0")/lib.sh"
start_x
new_case

BASE=$(state make opt5=2 opt15=1 badge3=1 \
  top1=500,400,300 last1=300,500,400 top2=900,800 last2=800,900 top3=1200 last3=1200)

# Plays the title with the state file as it is now: suspend (which saves) and resume, then F4.
run_game() {
  start_game
  wait_window
  wait_title
  [ -n "${OTHER_WIN:-}" ] || open_other_window
  xdotool windowfocus "$OTHER_WIN"
  sleep 0.8
  xdotool windowfocus "$WIN"
  sleep 0.4
  kill -0 "$GAME_PID" 2>/dev/null || fail "$1: the game died"
  press F4
  expect_exit 0 3
  grep -q "Runtime Error" "$CASE_DIR/stdout.txt" && fail "$1: $(grep 'Runtime Error' "$CASE_DIR/stdout.txt")"
  echo "$1: $(grep -E 'Loaded|Invalid' "$CASE_DIR/stdout.txt" | tr '\n' ' ')"
}
# expect KEY VALUE...: what the state file saved after the run holds.
expect() {
  local label=$1; shift
  local kv got
  for kv in "$@"; do
    got=$(state get .trazelstate "${kv%%=*}")
    [ "$got" = "${kv#*=}" ] || fail "$label: ${kv%%=*} is $got, expected ${kv#*=}"
  done
}
ZERO=0,0,0,0,0,0,0,0,0,0
KEPT1="top1=500,400,300,0,0,0,0,0,0,0 last1=300,500,400,0,0,0,0,0,0,0"
KEPT2="top2=900,800,0,0,0,0,0,0,0,0 last2=800,900,0,0,0,0,0,0,0,0"
KEPT3="top3=1200,0,0,0,0,0,0,0,0,0 last3=1200,0,0,0,0,0,0,0,0,0"

# The intact file round-trips.
printf '%s' "$BASE" > .trazelstate
run_game intact
expect intact valid=1,1,1,1,1 opt5=2 opt15=1 badgeword0=8 $KEPT1 $KEPT2 $KEPT3

# One score of Normal's block changed: only Normal's lists are emptied.
printf '%s' "$BASE" | awk -v RS='|' -v ORS='|' 'NR == 57 { $0 = $0 + 1 } { print }' | head -c ${#BASE} > .trazelstate
run_game damaged
expect damaged valid=1,1,1,1,1 opt5=2 badgeword0=8 $KEPT1 top2=$ZERO last2=$ZERO $KEPT3

# Cut in the middle of Normal's block: settings, badges and Easy's lists stay.
printf '%s' "$BASE" | cut -d'|' -f1-70 > .trazelstate
run_game truncated
expect truncated opt5=2 opt15=1 badgeword0=8 $KEPT1 top2=$ZERO last2=$ZERO top3=$ZERO last3=$ZERO

: > .trazelstate
run_game empty
expect empty valid=1,1,1,1,1 opt5=1 badgeword0=0 top1=$ZERO last1=$ZERO

head -c 1000000 /dev/zero | tr '\0' '7' > .trazelstate
run_game megabyte-of-digits
expect megabyte-of-digits opt5=1 badgeword0=0 top1=$ZERO last1=$ZERO

# Bytes that are not UTF-8: after a setting's digits (read as that number, the settings still hold) and
# inside Hard's first score (the number ends early, so Hard's checksum fails).
printf '%s' "$BASE" | awk -v RS='|' -v ORS='|' 'NR == 6 { $0 = $0 "\xff\xfe" } NR == 78 { $0 = "12\xc3\x28" } { print }' \
  | head -c $((${#BASE} + 6)) > .trazelstate
run_game not-utf8
expect not-utf8 opt5=2 opt15=1 badgeword0=8 $KEPT1 $KEPT2 top3=$ZERO last3=$ZERO

# A directory where the file should be: nothing loads, saving fails quietly, the directory stays.
rm -f .trazelstate; mkdir .trazelstate
run_game directory
[ -d .trazelstate ] || fail "directory: the directory was replaced"
ls -a | grep -q '^\.trazelstate\.' && fail "directory: a temporary file was left"
rmdir .trazelstate

# A folder the game may not write to (run as an unprivileged user; root could write anyway): the stored
# state loads and stays as it was.
ro="$CASE_DIR/readonly"
mkdir -p "$ro/prog"
cp "$GAME" "$ro/prog/vextrallis"
cp -r "$E2E_BUILD/data" "$ro/prog/data"
printf '%s' "$BASE" > "$ro/.trazelstate"
printf '[general]\ndrivers=null\n' > "$ro/alsoft.conf"
chmod -R a+rX "$ro"; chmod 555 "$ro"; chmod 755 "$CASE_DIR"
cd "$ro"
GAME="setpriv --reuid=65534 --regid=65534 --clear-groups $ro/prog/vextrallis"
ALSOFT_CONF="$ro/alsoft.conf"
(export ALSOFT_CONF; cd "$ro"; exec setpriv --reuid=65534 --regid=65534 --clear-groups "$ro/prog/vextrallis") \
  >"$CASE_DIR/stdout.txt" 2>"$CASE_DIR/stderr.txt" &
GAME_PID=$!
wait_window
wait_title
xdotool windowfocus "$OTHER_WIN"
sleep 0.8
xdotool windowfocus "$WIN"
sleep 0.4
# Losing the focus saved, which failed: the player is told, and the title menu goes on.
shot_win unwritable-notice
has_save_notice unwritable-notice || fail "unwritable: no notice that the state cannot be saved"
is_title unwritable-notice || fail "unwritable: the title menu did not go on under the notice"
press F4
expect_exit 0 3
echo "unwritable: $(grep -E 'Loaded|Invalid' "$CASE_DIR/stdout.txt" | tr '\n' ' ')"
grep -q "Settings Loaded" "$CASE_DIR/stdout.txt" || fail "unwritable: the stored settings did not load"
[ "$(cat .trazelstate)" = "$BASE" ] || fail "unwritable: the state file changed"
cd "$CASE_DIR"; chmod 755 "$ro"
