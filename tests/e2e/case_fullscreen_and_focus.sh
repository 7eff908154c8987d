# F11 switches to a desktop-sized full screen and back to the 640 x 480 window with the title menu's
# pictures intact; losing the focus saves the state file in the working directory; F4 then ends the game.
source "$(dirname "$0")/lib.sh"
start_x 1024x768x24
new_case

# Sizes of the game's windows (GLFW windows; the full-screen one has no title).
# Windows may vanish while the tree is read; such a read just gives nothing this time.
game_windows() { (xwininfo -root -tree 2>/dev/null || true) | awk '/glfw-application/ { for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+\+/) { split($i, g, "+"); print g[1] } }'; }
wait_size() {
  for _ in $(seq 50); do
    game_windows | grep -qx "$1" && return 0
    sleep 0.1
  done
  fail "no game window of $1 (have: $(game_windows | tr '\n' ' '))"
}

# The window that is shown (GLFW may still hold a hidden one it has not destroyed yet).
# Keys go to the focused window as typed keys (XTEST), as a player's would.
typed() { xdotool windowfocus "$WIN" 2>/dev/null || true; xdotool key "$1"; }

visible_window() {
  for _ in $(seq 30); do
    WIN=$(xdotool search --onlyvisible --name '^Vextrallis$' 2>/dev/null | tail -n1 || true)
    [ -n "$WIN" ] && return 0
    sleep 0.1
  done
  fail "no visible window titled Vextrallis"
}

start_game
wait_window
sleep 1.5
visible_window
shot before
before=$(colours_of before 640x480+192+144)
gt "$before" 500 || fail "the title menu shows only $before colours"

typed F11
wait_size 1024x768
sleep 1
shot full
full=$(colours_of full 1024x768+0+0)
gt "$full" 500 || fail "the full screen shows only $full colours"

xdotool key F11  # the full-screen window has the focus
wait_size 640x480
sleep 1
visible_window
shot after
after=$(colours_of after 640x480+192+144)
echo "colours: window $before, full screen $full, window again $after"
gt "$after" "$(echo "$before * 0.8" | bc)" || fail "pictures lost after the switch ($after colours, $before before)"

[ ! -e "$CASE_DIR/.trazelstate" ] || fail "a state file before any save"
root=$(xwininfo -root | awk '/Window id/ { print $4 }')
xdotool windowfocus "$root"
for _ in $(seq 30); do [ -s "$CASE_DIR/.trazelstate" ] && break; sleep 0.1; done
[ -s "$CASE_DIR/.trazelstate" ] || fail "losing the focus did not save the state"
pieces=$(tr -cd '|' < "$CASE_DIR/.trazelstate" | wc -c)
[ "$pieces" = 203 ] || fail "the state file holds $pieces fields"

typed F4
expect_exit 0 3
