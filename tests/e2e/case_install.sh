# Installed like a Linux game: `cmake --install` into a temporary prefix (with a blank in its path, as a
# home folder may have) gives the program with its data folder, the launcher link, a valid desktop entry
# that names the launcher by its full path, the metainfo, the manual page and the theme icons; the
# installed game, started through the launcher from another working folder, shows the title, keeps its
# state file in that folder and ends with status 0 on F4. The Debian package holds the same files in
# Debian's places for games, declares its runtime libraries, and Debian's checker finds no error or warning
# in it (its infos and pedantic notes are allowed).
source "$(dirname "$0")/lib.sh"
new_case

prefix="$CASE_DIR/home folder/.local"
cmake --install "$E2E_BUILD" --prefix "$prefix" >"$CASE_DIR/install.txt" || fail "cmake --install failed"
app=org.vextrallis.Vextrallis
for f in lib/games/vextrallis/vextrallis lib/games/vextrallis/data/ships.png \
         lib/games/vextrallis/data/sfx/Linoleum.ogg share/applications/$app.desktop \
         share/metainfo/$app.metainfo.xml share/man/man6/vextrallis.6.gz share/doc/vextrallis/copyright; do
  [ -f "$prefix/$f" ] || fail "the install has no $f"
done
[ -L "$prefix/bin/vextrallis" ] || fail "bin/vextrallis is not a link"
desktop="$prefix/share/applications/$app.desktop"
desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
grep -qx "Exec=\"$prefix/bin/vextrallis\"" "$desktop" || fail "the desktop entry does not name the launcher: $(grep Exec "$desktop")"
appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" >"$CASE_DIR/appstream.txt" 2>&1 ||
  { cat "$CASE_DIR/appstream.txt"; fail "the metainfo does not validate"; }
grep -qE '^(E|W):' "$CASE_DIR/appstream.txt" && { cat "$CASE_DIR/appstream.txt"; fail "the metainfo has errors or warnings"; }
# The manual page renders without a warning.
zcat "$prefix/share/man/man6/vextrallis.6.gz" | groff -ww -z -man 2>"$CASE_DIR/groff.txt" &&
  [ ! -s "$CASE_DIR/groff.txt" ] || { cat "$CASE_DIR/groff.txt"; fail "the manual page does not render cleanly"; }
for size in 48 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/vextrallis.png"
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] || fail "no ${size} px icon"
  # A drawn icon, not an empty square: many colours.
  [ "$(identify -format '%k' "$icon")" -gt 50 ] || fail "the ${size} px icon is nearly empty"
done

# Played from another folder through the launcher.
bash "$E2E_DIR/play_installed.sh" "$prefix/bin/vextrallis" || fail "the installed game did not play"

# The Debian package: the same files, the launcher in /usr/games, the libraries the program links as
# dependencies, and no error or warning from Debian's own package checker.
(cd "$E2E_BUILD" && cpack -G DEB -B "$CASE_DIR/deb" >"$CASE_DIR/cpack.txt" 2>&1) || { tail "$CASE_DIR/cpack.txt"; fail "cpack failed"; }
deb=$(ls "$CASE_DIR"/deb/vextrallis_*.deb)
contents=$(dpkg-deb -c "$deb")
for f in ./usr/games/vextrallis ./usr/lib/games/vextrallis/vextrallis ./usr/lib/games/vextrallis/data/ships.png \
         ./usr/share/applications/$app.desktop ./usr/share/icons/hicolor/256x256/apps/vextrallis.png \
         ./usr/share/metainfo/$app.metainfo.xml ./usr/share/man/man6/vextrallis.6.gz \
         ./usr/share/doc/vextrallis/copyright ./usr/share/doc/vextrallis/changelog.gz; do
  grep -q " $f\( \|$\)" <<<"$contents" || fail "the package has no $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "package depends: $depends"
for lib in libglfw3 libopenal1 libc6; do
  grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib"
done
# --fail-on makes lintian's own status say whether an error or a warning was found; a checker that did not
# run at all fails the same way. Infos and pedantic notes (not shown by default) are allowed.
lintian_status=0
lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$CASE_DIR/lintian.txt" 2>&1 || lintian_status=$?
cat "$CASE_DIR/lintian.txt"
if [ "$lintian_status" != 0 ] || grep -qE '^[EW]:' "$CASE_DIR/lintian.txt"; then
  fail "lintian reports errors or warnings on the package (status $lintian_status)"
fi
echo "lintian: no errors or warnings"
