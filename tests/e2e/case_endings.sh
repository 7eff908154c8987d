# Ending: the window's close button, F4, and Escape on the bare title menu each end the game with status 0
# and leave the state file as it was (byte for byte, no temporary file beside it). F4 and the close
# button also end a game in progress at once.
source "$(dirname "$0")/lib.sh"
start_x
new_case

state make opt5=2 opt15=1 top2=900,800,700 last2=700,900,800 badge3=1 > .trazelstate
cp .trazelstate "$CASE_DIR/original"

check_kept() {
  cmp -s .trazelstate "$CASE_DIR/original" || fail "$1: the state file changed"
  ls -a | grep -q '^\.trazelstate\.' && fail "$1: a temporary state file was left"
  grep -q "Settings Loaded" "$CASE_DIR/stdout.txt" || fail "$1: the settings did not load"
  return 0
}

for how in close F4 Escape close-in-game F4-in-game; do
  start_game
  wait_window
  wait_title
  case $how in
    *-in-game) press Return; sleep 1.0 ;;
  esac
  case $how in
    close*) "$E2E_BUILD/tests/vx_x_close" "$WIN" ;;
    F4*) press F4 ;;
    Escape) press Escape ;;
  esac
  expect_exit 0 3
  check_kept "$how"
  echo "$how: status 0, state file intact"
done
