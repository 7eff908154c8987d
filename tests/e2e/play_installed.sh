#!/usr/bin/env bash
# Plays an installed game the way a player starts it: through its launcher ($1), from a new working folder,
# under its own Xvfb. The title must appear, closing the options box must write the state file into that
# working folder (and nowhere beside the program), and F4 must end the game with status 0.
set -euo pipefail
launcher=$1
E2E_BUILD=$(dirname "$launcher")
source "$(dirname "$0")/lib.sh"
GAME=$launcher
start_x
new_case
mkdir "$CASE_DIR/elsewhere"
cd "$CASE_DIR/elsewhere"
start_game
wait_window
wait_title 10
# The options box opens from the hub at the wheel's centre (the title takes a moment to take input);
# closing it saves the state.
opened=0
for _ in 1 2 3; do
  sleep 0.5
  tap 38 416
  sleep 0.8
  shot_win options
  read -r r g b < <(rgb_of options 200x100+220+300)
  if gt "$r" "$b"; then opened=1; break; fi
done
[ $opened = 1 ] || fail "the hub did not open the options box"
press Escape
sleep 1.0
press F4
expect_exit 0 3
[ -s .trazelstate ] || fail "no state file in the working folder"
[ "$(state get .trazelstate valid)" = "1,1,1,1,1" ] || fail "the state file does not load whole"
real=$(readlink -f "$launcher")
[ -e "$(dirname "$real")/.trazelstate" ] && fail "a state file beside the installed program"
echo "installed game: title, state file in the working folder, status 0"
