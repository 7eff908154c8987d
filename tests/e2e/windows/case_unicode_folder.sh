# A folder whose path is not ASCII: the game unpacked into "Spiele – Ünïcødé 遊戲" and started there finds
# its data (the title menu's pictures show), loads the state file found there, and writes it back there
# whole when a run is filed; the next start loads what it wrote. Each start quits a run from the pause
# menu, which files it at the head of Normal's last-ten list over the list it loaded; that list was
# seeded, so after the second start it holds both runs and then the seed.
source "$(dirname "$0")/lib.sh"
wine_up
game="$CASE_DIR/Spiele – Ünïcødé 遊戲"
game_folder "$game"
seed=2201,2202,2203,2204,2205,2206,2207,2208,2209,2210
state make opt5=2 badge3=1 last2=$seed > "$game/.trazelstate"

last=$seed
for n in 1 2; do
  before=$last
  start_game "$game" ALSOFT_DRIVERS=null
  wait_window
  menu_ready
  out_text | grep -qx "Settings Loaded" || fail "start $n: the settings did not load"
  out_text | grep -qx "Badges Loaded" || fail "start $n: the badges did not load"
  quit_run
  last=$(state get "$game/.trazelstate" last2)
  echo "start $n: Normal's last ten $last"
  [ "$(state get "$game/.trazelstate" valid)" = "1,1,1,1,1" ] || fail "start $n: the state file does not load whole"
  [ "$(state get "$game/.trazelstate" badgeword0)" = 8 ] || fail "start $n: the badge was lost"
  [ "${last#*,}" = "${before%,*}" ] || fail "start $n: the run was not filed over the list it loaded ($before)"
  press F4
  expect_exit 0 5
done
# The state file was written nowhere else (no folder of a mangled name beside the real one).
found=$(find "$CASE_DIR" -path "$CASE_DIR/prefix" -prune -o -name '.trazelstate*' -print)
[ "$found" = "$game/.trazelstate" ] || fail "state files found: $found"
