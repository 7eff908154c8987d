# The game opens a 640 x 480 window titled "Vextrallis"; the close button and F4 each end it with status 0.
source "$(dirname "$0")/lib.sh"
start_x
new_case

start_game
wait_window
geom=$(xdotool getwindowgeometry "$WIN" | awk '/Geometry/ {print $2}')
[ "$geom" = "640x480" ] || fail "window is $geom, expected 640x480"
sleep 0.5
"$E2E_BUILD/tests/vx_x_close" "$WIN"
expect_exit 0 2

start_game
wait_window
sleep 0.5
key F4
expect_exit 0 2
