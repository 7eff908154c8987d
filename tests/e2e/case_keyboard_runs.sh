# A run on each difficulty with the keyboard only: choose it on the wheel, start, fly up and down with
# fire (Z) held (the ship's shots are heard), pause, resume, pause again and quit. The run is filed at the head of that
# difficulty's last-ten list and the state file holds it. Escape on the bare title then ends the game.
source "$(dirname "$0")/lib.sh"
start_x
new_case

# Sound effects only (no music), so what the capture holds during flight are the game's effects; each
# difficulty's last-ten list starts with known entries so that a run scoring 0 is still seen filed.
state make opt5=2 last1=1101,1102,1103,1104,1105,1106,1107,1108,1109,1110 \
  last2=2201,2202,2203,2204,2205,2206,2207,2208,2209,2210 \
  last3=3301,3302,3303,3304,3305,3306,3307,3308,3309,3310 > .trazelstate

start_game
wait_window
wait_title

# Bright pixels in the ship's column (x 50..110), upper or lower half of the screen.
ship_half() { convert "$CASE_DIR/$1.png" -crop "60x240+50+$2" +repage -colorspace Gray -threshold 50% -format '%[fx:mean]' info:; }

# Holds key $1 until screenshot $2 shows the ship in the half starting at y $3 rather than the one at $4,
# for at least 0.8 s and at most 5 s (a busy machine slows the game's updates, so the flight takes longer).
fly() {
  local t0 ok=1
  t0=$(date +%s.%N)
  xdotool keydown "$1"
  sleep 0.8
  while true; do
    shot_win "$2"
    gt "$(ship_half "$2" "$3")" "$(ship_half "$2" "$4")" && { ok=0; break; }
    gt "$(echo "$(date +%s.%N) - $t0" | bc)" 5 && break
    sleep 0.1
  done
  xdotool keyup "$1"
  return $ok
}

run_on() {
  local d=$1 wheel_key=$2 before after s0 s1 peak
  before=$(state get .trazelstate "last$d")
  [ -n "$wheel_key" ] && press "$wheel_key"
  sleep 0.5
  press Return
  sleep 0.8
  shot_win "play$d"
  is_title "play$d" && fail "difficulty $d: still on the title menu after Return"

  # Fly with fire held: up, then down; the ship is in the upper half, then in the lower half.
  s0=$(sound_seconds)
  xdotool keydown z
  fly Up "up$d" 0 240 || fail "difficulty $d: the ship did not fly up"
  fly Down "down$d" 240 0 || fail "difficulty $d: the ship did not fly down"
  xdotool keyup z
  s1=$(sound_seconds)
  peak=$(sound_peak "$s0" "$s1")
  echo "difficulty $d: sound peak during flight $peak"
  gt "$peak" 2000 || fail "difficulty $d: no shots heard while flying (peak $peak)"

  # Pause, resume, pause again and quit with the pause menu's cursor (up to "quit", then confirm).
  press Escape
  sleep 0.6
  shot_win "pause$d"
  is_paused "pause$d" || fail "difficulty $d: no pause menu after Escape"
  press Escape
  sleep 0.8
  shot_win "resume$d"
  is_paused "resume$d" && fail "difficulty $d: the pause menu stayed after the second Escape"
  compare -metric AE "$CASE_DIR/resume$d.png" "$CASE_DIR/pause$d.png" null: 2>/dev/null && \
    fail "difficulty $d: nothing moved after resuming"
  press Escape
  sleep 0.6
  press Up Return
  wait_title 6
  sleep 0.3

  after=$(state get .trazelstate "last$d")
  echo "difficulty $d: last ten before $before, after $after"
  [ "$(state get .trazelstate valid)" = "1,1,1,1,1" ] || fail "difficulty $d: state file does not load whole"
  [ "${after#*,}" = "${before%,*}" ] || fail "difficulty $d: the run is not at the head of the last-ten list"
  local score=${after%%,*}
  if [ "$score" -gt 0 ]; then
    state get .trazelstate "top$d" | tr ',' '\n' | grep -qx "$score" || fail "difficulty $d: score $score not in the top ten"
  fi
}

run_on 1 Up       # Normal is selected at start; up turns the wheel to Easy
run_on 2 Down
run_on 3 Down

# Escape on the bare title menu ends the game; the state file stays as the last filing left it.
cp .trazelstate "$CASE_DIR/kept"
press Escape
expect_exit 0 3
cmp -s .trazelstate "$CASE_DIR/kept" || fail "the state file changed on leaving"
