# Journal paths beyond ASCII (and beyond any ANSI code page) on the Windows build. A session is recorded
# with VX_RECORD naming the journal by its whole Windows path, in a folder "Jürgen 日本" and with the file
# name "rün-日本.journal": the journal is written under exactly that name and no other file appears.
# It then replays without a display from another such folder, once by that whole path and once by a bare
# non-ASCII file name in the working folder (a copy named "再生-ü.journal"): each replay matches
# every frame up to the recorded draw-list hash and ends with the recorded status (0).
source "$(dirname "$0")/lib.sh"
wine_up
home="$CASE_DIR/Jürgen 日本"
game=$home/game
game_folder "$game"
journal="$home/rün-日本.journal"

start_game "$game" ALSOFT_DRIVERS=null VX_RECORD="$(winpath "$journal")"
wait_window
menu_ready
press Escape
expect_exit 0 5
hash=$(err_text | sed -n 's/^Vextrallis journal: .* written (draw-list hash \([0-9a-f]*\))$/\1/p')
[ -n "$hash" ] || { err_text >&2; fail "the recording did not report its journal"; }
[ -s "$journal" ] || { ls -la "$home" >&2; fail "no journal at $journal"; }
made=$(cd "$home" && find . -mindepth 1 -maxdepth 1 ! -name game | sort)
[ "$made" = "./rün-日本.journal" ] || fail "the folder holds other than the journal: $made"
echo "journal: $(stat -c %s "$journal") bytes, draw-list hash $hash"

# A headless replay of journal $2 in folder $1 that must match the recorded run.
replay_matches() {
  replay_headless "$1" "$2"
  echo "replay of $2: status $status; $(err_text | grep '^Vextrallis replay' || true)"
  [ "$status" = 0 ] || { err_text >&2; fail "the replay of $2 ended with status $status"; }
  err_text | grep -qx "Vextrallis replay: [0-9]* frames matched the journal (draw-list hash $hash)" ||
    { err_text >&2; fail "the replay of $2 did not match the journal"; }
}
mkdir "$CASE_DIR/Wiedergabe ü 再生" "$CASE_DIR/Wiedergabe ü 再生 2"
replay_matches "$CASE_DIR/Wiedergabe ü 再生" "$(winpath "$journal")"
cp "$journal" "$CASE_DIR/Wiedergabe ü 再生 2/再生-ü.journal"
replay_matches "$CASE_DIR/Wiedergabe ü 再生 2" "再生-ü.journal"
