# Game pad mappings a player adds: a gamecontrollerdb.txt beside the program and the environment variable
# SDL_GAMECONTROLLERCONFIG. A good line is taken without a word; each bad line is skipped with one message
# naming where it came from, its line and what is wrong with it; the game starts to its title all the
# same and ends normally.
source "$(dirname "$0")/lib.sh"
start_x
new_case

# The program in a folder of its own, so that the file can lie beside it; its data is found beside it too.
mkdir "$CASE_DIR/game"
cp "$GAME" "$CASE_DIR/game/vextrallis"
ln -s "$E2E_BUILD/data" "$CASE_DIR/game/data"
GAME="$CASE_DIR/game/vextrallis"
db="$CASE_DIR/game/gamecontrollerdb.txt"
good='030000005e0400008e02000010010000,Test Pad,a:b0,b:b1,x:b2,y:b3,back:b6,start:b7,leftshoulder:b4,rightshoulder:b5,leftx:a0,lefty:a1,rightx:a3,righty:a4,lefttrigger:a2,righttrigger:a5,dpup:h0.1,dpright:h0.2,dpdown:h0.4,dpleft:h0.8,platform:Linux,'
{
  echo '# pads of this machine'
  echo "$good"
  echo '030000005e0400008e02000010010000 Test Pad without its commas'
  echo '030000005e0400008e02000011010000,Other Pad,a=b0,platform:Linux,'
} > "$db"

SDL_GAMECONTROLLERCONFIG='not a mapping' start_game
wait_window
wait_title
press F4
expect_exit 0 3

skipped=$(grep -c 'game pad mapping skipped' "$CASE_DIR/stderr.txt" || true)
[ "$skipped" = 3 ] || { cat "$CASE_DIR/stderr.txt" >&2; fail "expected 3 skipped lines, got $skipped"; }
grep -qF "Vextrallis: game pad mapping skipped ($db, line 3): it does not start with a 32-digit hexadecimal pad id" \
  "$CASE_DIR/stderr.txt" || fail "no message for the line without commas"
grep -qF "Vextrallis: game pad mapping skipped ($db, line 4): a field is not of the form name:value" \
  "$CASE_DIR/stderr.txt" || fail "no message for the line with a bad field"
grep -qF "Vextrallis: game pad mapping skipped (SDL_GAMECONTROLLERCONFIG, line 1): it does not start with a 32-digit hexadecimal pad id" \
  "$CASE_DIR/stderr.txt" || fail "no message for the environment's line"
echo "ok: the good mapping was taken silently, three bad lines were skipped with a message each"
