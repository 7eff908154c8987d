# Options: during a game, open the options box from the pause menu and act on every row (sound to "Off",
# iCade on and off, full screen and back, both thumbsticks flipped). Closing saves; the sound row silences
# effects and music in the captured sound, and the saved choice survives a restart.
source "$(dirname "$0")/lib.sh"
start_x
new_case

start_game
wait_window
wait_title

# With the default sound setting a game has its music and the ship's shots.
press Return
sleep 0.6
s0=$(sound_seconds)
xdotool keydown z; hold_key Up 1.2; xdotool keyup z
peak=$(sound_peak "$s0" "$(sound_seconds)")
echo "sound peak while playing with sound on: $peak"
gt "$peak" 2000 || fail "no sound while playing with the default setting (peak $peak)"

# Pause, cursor down to the options gears, open the box and wait for it to slide in.
press Escape
sleep 0.6
press Down Return
sleep 0.8
shot_win box
read -r r g b < <(rgb_of box 200x100+220+200)
gt "$r" "$b" || fail "the options box did not open"

# Row 1 sound: SFX + Music -> SFX -> Music -> Off. Row 2 iCade: on, off. Row 3: full screen, window.
# Rows 4 and 5: flip each thumbstick.
press Down Return Return Return
press Down Return Return
press Down Return
find_window 1024x768
sleep 1.0
press Return
find_window 640x480
sleep 1.0
press Down Return Down Return
press Escape   # closes the box and saves
sleep 0.8
[ "$(state get .trazelstate valid)" = "1,1,1,1,1" ] || fail "closing the options box did not save a whole state"
for kv in opt5=0 opt15=1 opt16=1; do
  got=$(state get .trazelstate "${kv%=*}")
  [ "$got" = "${kv#*=}" ] || fail "after closing the box ${kv%=*} is $got, expected ${kv#*=}"
done

# Resume and play with fire held: nothing is heard.
press Escape
sleep 0.8
s0=$(sound_seconds)
xdotool keydown z; hold_key Down 1.5; xdotool keyup z
peak=$(sound_peak "$s0" "$(sound_seconds)")
echo "sound peak while playing with sound off: $peak"
[ "$peak" -lt 50 ] || fail "sound while the setting is Off (peak $peak)"
press F4
expect_exit 0 2
cp .trazelstate "$CASE_DIR/saved"

# A restart keeps the choice: the settings load, a game is silent, and the file is as it was.
rm -f "$CASE_DIR/sound.wav"
start_game
wait_window
wait_title
grep -q "Settings Loaded" "$CASE_DIR/stdout.txt" || fail "the saved settings did not load"
geom=$(xdotool getwindowgeometry "$WIN" | awk '/Geometry/ {print $2}')
[ "$geom" = "640x480" ] || fail "the restarted game is not in a 640x480 window ($geom)"
press Return
sleep 0.6
s0=$(sound_seconds)
xdotool keydown z; hold_key Up 1.2; xdotool keyup z
peak=$(sound_peak 0 "$(sound_seconds)")
echo "sound peak after the restart, from launch: $peak"
[ "$peak" -lt 50 ] || fail "sound after restarting with the setting Off (peak $peak)"
press F4
expect_exit 0 2
cmp -s .trazelstate "$CASE_DIR/saved" || fail "the state file changed during the second run"
