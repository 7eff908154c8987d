# A keyboard run from the title menu to a filed score, and its sound. Down turns the wheel to Hard, Return
# starts the run, and the ship is flown into enemy fire (pilot.py) until every life is lost and the title
# menu is back. The run is then at the head of Hard's last-ten list (seeded with known entries, so that a
# run scoring 0 shows too) and, when it scored, in Hard's top ten; the state file loads whole. The sound
# goes through OpenAL Soft's wave writer with effects only (no music): the run is heard (the explosions,
# the notes of caught bullets), well above silence.
source "$(dirname "$0")/lib.sh"
wine_up
game=$CASE_DIR/game
game_folder "$game"
state make opt5=2 last3=3301,3302,3303,3304,3305,3306,3307,3308,3309,3310 > "$game/.trazelstate"
before=$(state get "$game/.trazelstate" last3)
wav=$CASE_DIR/sound.wav

start_game "$game" "$(wave_writer "$wav")"
wait_window
menu_ready
press Down
sleep 0.5
t_run=$(sound_seconds "$wav")
start_run
python3 "$E2E_WIN_DIR/pilot.py" "$WIN" "$CLIENT" "$GAME_PID" 180 || fail "the run did not end on the title menu"
t_end=$(sound_seconds "$wav")
sleep 0.5

after=$(state get "$game/.trazelstate" last3)
echo "Hard's last ten before $before, after $after"
[ "$(state get "$game/.trazelstate" valid)" = "1,1,1,1,1" ] || fail "the state file does not load whole"
[ "${after#*,}" = "${before%,*}" ] || fail "the run is not at the head of Hard's last-ten list"
score=${after%%,*}
if [ "$score" -gt 0 ]; then
  state get "$game/.trazelstate" top3 | tr ',' '\n' | grep -qx "$score" || fail "score $score not in Hard's top ten"
fi

[ "$(python3 "$E2E_WIN_DIR/wave.py" format "$wav")" = "float32 2 48000" ] || fail "the capture is not float stereo at 48 kHz"
heard=$(sound_rms "$wav" "$t_run" "$t_end")
echo "sound: RMS $heard over the run ($t_run to $t_end s of the capture)"
gt "$heard" 0.01 || fail "the run is not heard (RMS $heard)"


press F4
expect_exit 0 5
