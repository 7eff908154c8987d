# Start: the loading screen (the maker's logo and "Loading..." on black), then the title menu within a
# second of launch, and the logo jingle in the captured sound. F4 then ends the game with status 0.
source "$(dirname "$0")/lib.sh"
start_x
new_case

export VX_STATS=0.05
t0=$(date +%s.%N)
start_game
wait_window

# Screenshots as fast as they come until the title shows; the first ones must be the loading screen.
seen_loading=0
for i in $(seq 60); do
  shot_win "s$i" 2>/dev/null || continue
  if is_title "s$i"; then
    title_shot=$i
    break
  fi
  # Loading screen: black corners, the colourful logo in the middle, white text near the bottom.
  if gt 0.02 "$(mean_of "s$i" 80x80+0+0)" && gt "$(colours_of "s$i" 200x200+220+120)" 200; then
    seen_loading=1
  fi
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended during start-up"
done
[ -n "${title_shot:-}" ] || fail "no title menu appeared"
wall=$(echo "$(date +%s.%N) - $t0" | bc)
[ "$seen_loading" = 1 ] || fail "no loading screen before the title menu"

# When the title menu came up by the game's own clock (seconds since start): the loader takes 15 updates,
# so the title is drawn by the render after the 16th update.
title_at=$(awk '/^stats t=/ { sub("t=", "", $2); sub("updates=", "", $3); n += $3; if (n >= 16) { print $2; exit } }' \
  "$CASE_DIR/stdout.txt")
first_frame=$(awk '/first-frame/ { sub("t=", "", $3); print $3 }' "$CASE_DIR/stdout.txt")
echo "first frame at ${first_frame}s, title menu by ${title_at}s (game clock); seen on screen ${wall}s after launch"
[ -n "$title_at" ] || fail "the game did not report its updates"
gt 1.0 "$title_at" || fail "title menu after ${title_at}s, more than a second"

# The jingle plays at the loader's fourth step: loud within the first second and a half of sound.
sleep 0.5
peak=$(sound_peak 0 1.5)
echo "jingle peak $peak"
gt "$peak" 3000 || fail "no logo jingle in the captured sound (peak $peak)"

key F4
expect_exit 0 2
