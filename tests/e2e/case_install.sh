# Installed like a Linux game: `cmake --install` into a temporary prefix gives the program with its data
# folder, the launcher link, a valid desktop entry and the theme icons; the installed game, started through
# the launcher from another working folder, shows the title, keeps its state file in that folder and ends
# with status 0 on F4. The Debian package holds the same files and declares its runtime libraries.
source "$(dirname "$0")/lib.sh"
new_case

prefix="$CASE_DIR/prefix"
cmake --install "$E2E_BUILD" --prefix "$prefix" >"$CASE_DIR/install.txt" || fail "cmake --install failed"
for f in lib/vextrallis/vextrallis lib/vextrallis/data/ships.png lib/vextrallis/data/sfx/Linoleum.ogg \
         share/applications/vextrallis.desktop; do
  [ -f "$prefix/$f" ] || fail "the install has no $f"
done
[ -L "$prefix/bin/vextrallis" ] || fail "bin/vextrallis is not a link"
desktop-file-validate "$prefix/share/applications/vextrallis.desktop" || fail "the desktop entry does not validate"
for size in 48 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/vextrallis.png"
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] || fail "no ${size} px icon"
  # A drawn icon, not an empty square: many colours.
  [ "$(identify -format '%k' "$icon")" -gt 50 ] || fail "the ${size} px icon is nearly empty"
done

# Played from another folder through the launcher.
bash "$E2E_DIR/play_installed.sh" "$prefix/bin/vextrallis" || fail "the installed game did not play"

# The Debian package: the same files under /usr, and the libraries the program links as dependencies.
(cd "$E2E_BUILD" && cpack -G DEB -B "$CASE_DIR/deb" >"$CASE_DIR/cpack.txt" 2>&1) || { tail "$CASE_DIR/cpack.txt"; fail "cpack failed"; }
deb=$(ls "$CASE_DIR"/deb/vextrallis_*.deb)
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/vextrallis ./usr/lib/vextrallis/vextrallis ./usr/lib/vextrallis/data/ships.png \
         ./usr/share/applications/vextrallis.desktop ./usr/share/icons/hicolor/256x256/apps/vextrallis.png; do
  grep -q " $f\( \|$\)" <<<"$contents" || fail "the package has no $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "package depends: $depends"
for lib in libglfw3 libopenal1 libc6; do
  grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib"
done
