# Missing and damaged data: with no data folder at all, and with one file of each kind truncated or
# overwritten with rubbish in turn (picture, font, sound effect, music), the game starts, plays, pauses and
# ends normally with status 0; only the damaged picture or sound is missing.
source "$(dirname "$0")/lib.sh"
start_x
new_case

# A copy of the program beside which the data folder can be changed; the game finds "data" beside itself.
mkdir -p "$CASE_DIR/prog"
cp "$GAME" "$CASE_DIR/prog/vextrallis"
GAME="$CASE_DIR/prog/vextrallis"
fresh_data() {
  rm -rf "$CASE_DIR/prog/data"
  cp -al "$E2E_BUILD/data" "$CASE_DIR/prog/data"
}
# Replaces a data file by its first $2 percent, or by rubbish after its first 8 bytes (percent "junk").
damage() {
  local f="$CASE_DIR/prog/data/$1" size
  size=$(stat -c %s "$f")
  cp "$f" "$f.orig"; rm -f "$f"
  if [ "$2" = junk ]; then
    { head -c 8 "$f.orig"; head -c $((size - 8)) /dev/urandom; } > "$f"
  else
    head -c $((size * $2 / 100)) "$f.orig" > "$f"
  fi
  rm -f "$f.orig"
}

# Start, play a moment with fire held, pause, end with F4; the game must stay up and end cleanly.
play_through() {
  local label=$1 title=$2
  rm -f "$CASE_DIR/sound.wav"
  start_game
  wait_window
  if [ "$title" = yes ]; then wait_title; fi
  sleep 0.8   # the title menu slides in
  shot_win "title_$label"
  press Return
  sleep 0.5
  xdotool keydown z; hold_key Up 0.6; xdotool keyup z
  press Escape
  sleep 0.4
  kill -0 "$GAME_PID" 2>/dev/null || fail "$label: the game died"
  press F4
  expect_exit 0 3
  grep -q "Runtime Error" "$CASE_DIR/stdout.txt" && fail "$label: $(grep 'Runtime Error' "$CASE_DIR/stdout.txt")"
  grep -qiE "sanitizer|runtime error:" "$CASE_DIR/stderr.txt" && fail "$label: $(head -n 5 "$CASE_DIR/stderr.txt")"
  echo "$label: played and ended with status 0"
}

# No data folder: nothing to draw but shapes; it still runs.
rm -rf "$CASE_DIR/prog/data"
play_through no-data no

fresh_data
play_through intact yes
# The game's logo region and the score lists' text on the intact title, for comparison.
logo_colours=$(colours_of title_intact 300x80+100+40)

fresh_data; damage logo-hd.png 40
play_through logo-truncated yes
gt "$(colours_of title_logo-truncated 300x80+100+40)" $((logo_colours / 4)) && fail "the truncated logo still shows"

fresh_data; damage logo-hd.png junk
play_through logo-rubbish yes
gt "$(colours_of title_logo-rubbish 300x80+100+40)" $((logo_colours / 4)) && fail "the rubbish logo shows"

# Without its font the text is invisible: the "Top 10" heading area stays as dark as the panel.
fresh_data; damage fonts/shadow_pelmar-hd.png 50
play_through font-truncated yes
text_intact=$(bright_of title_intact 80x20+515+55)
gt "$text_intact" 0.08 || fail "no text on the intact title to compare with"
gt "$(bright_of title_font-truncated 80x20+515+55)" "$(echo "$text_intact / 4" | bc -l)" && fail "text shows without its font"

fresh_data; damage sfx/096.wav 30
play_through jingle-truncated yes
peak=$(sound_peak 0 1.0)
[ "$peak" -lt 50 ] || fail "a jingle from a truncated file (peak $peak)"

fresh_data; damage sfx/096.wav junk
play_through jingle-rubbish yes
peak=$(sound_peak 0 1.0)
[ "$peak" -lt 50 ] || fail "a jingle from a rubbish file (peak $peak)"

fresh_data; damage sfx/Linoleum.ogg 30
play_through music-truncated yes

fresh_data; damage sfx/Linoleum.ogg junk
play_through music-rubbish yes
