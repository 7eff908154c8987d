# The Windows zip and its program, read without running anything. The zip holds one folder,
# vextrallis-VERSION-win64/, with exactly: vextrallis.exe, OpenAL32.dll, README.txt, the data folder (the
# build's, file for file), and licenses/ with the game's, GLFW's, OpenAL Soft's and the fonts' licence
# texts, the notices of the MinGW-w64 runtime (start-up code, winpthreads) and GCC's runtime that -static
# links in, OpenAL Soft's source tarball of the very version of the DLL and how the DLL was built from it.
# The zip's program is the one in the build folder (the same build id), stripped. It is a GUI program (no
# console window), imports only Windows' own DLLs and OpenAL32.dll, which itself needs nothing but
# Windows' own DLLs, and carries the game's icon, version information and an application manifest
# (per-monitor DPI awareness, long paths, UTF-8 as the ANSI code page, the Windows versions it is for).
source "$(dirname "$0")/lib.sh"
objdump=x86_64-w64-mingw32-objdump
command -v "$objdump" >/dev/null || fail "no $objdump (binutils-mingw-w64-x86-64)"

zips=("$WIN_BUILD"/vextrallis-*-win64.zip)
[ ${#zips[@]} = 1 ] && [ -f "${zips[0]}" ] || fail "expected one vextrallis-*-win64.zip in $WIN_BUILD, found: ${zips[*]}"
zip=${zips[0]}
version=$(basename "$zip" | sed -n 's/^vextrallis-\([0-9][0-9.]*\)-win64\.zip$/\1/p')
[ -n "$version" ] || fail "no version in the zip's name $(basename "$zip")"
top=vextrallis-$version-win64
work=$(mktemp -d /tmp/vx-e2e-zip.XXXXXX)
trap 'rm -rf "$work"; cleanup' EXIT
unzip -q "$zip" -d "$work"
dir=$work/$top

# OpenAL Soft's version, from the DLL's own version information; its source tarball must be that one.
openal=$(python3 "$E2E_WIN_DIR/pe_resources.py" "$WIN_BUILD/OpenAL32.dll" | sed -n 's/^string ProductVersion=//p')
[ -n "$openal" ] || fail "OpenAL32.dll has no product version"
{
  printf '%s\n' vextrallis.exe OpenAL32.dll README.txt licenses/vextrallis.txt licenses/glfw.txt \
    licenses/openal-soft.txt licenses/dejavu-fonts.txt "licenses/openal-soft_$openal.orig.tar.gz" \
    licenses/openal-soft-build.txt licenses/mingw-w64-runtime.txt licenses/gcc-runtime.txt
  (cd "$WIN_BUILD" && find data -type f)
} | sed "s|^|$top/|" | sort > "$work/expected"
unzip -Z1 "$zip" | grep -v '/$' | sort > "$work/listed"
diff "$work/expected" "$work/listed" >&2 || fail "the zip's files are not as listed (< expected, > in the zip)"
echo "zip: $(wc -l < "$work/listed") files in $top/, OpenAL Soft $openal"

diff -r "$WIN_BUILD/data" "$dir/data" >&2 || fail "the zip's data folder is not the build's"
cmp "$WIN_BUILD/OpenAL32.dll" "$dir/OpenAL32.dll" || fail "the zip's OpenAL32.dll is not the build's"
cmp "$REPO_DIR/LICENSE" "$dir/licenses/vextrallis.txt" || fail "licenses/vextrallis.txt is not the game's licence"
grep -q "GNU LIBRARY GENERAL PUBLIC LICENSE" "$dir/licenses/openal-soft.txt" || fail "licenses/openal-soft.txt is not the LGPL"
grep -q "Camilla L" "$dir/licenses/glfw.txt" || fail "licenses/glfw.txt is not GLFW's licence"
grep -q "DejaVu" "$dir/licenses/dejavu-fonts.txt" || fail "licenses/dejavu-fonts.txt is not the fonts' licence"
# The source tarball unpacks to that version's tree, whose licence is the one shipped.
tar -xzf "$dir/licenses/openal-soft_$openal.orig.tar.gz" -C "$work" "openal-soft-$openal/COPYING" ||
  fail "the OpenAL Soft tarball holds no openal-soft-$openal/COPYING"
cmp "$work/openal-soft-$openal/COPYING" "$dir/licenses/openal-soft.txt" || fail "the tarball's licence is not the one shipped"
# How the DLL was built: from that tarball (its SHA-256), as a shared library, with the MinGW-w64 compiler.
grep -q "SHA-256 $(sha256sum "$dir/licenses/openal-soft_$openal.orig.tar.gz" | cut -d' ' -f1)" \
  "$dir/licenses/openal-soft-build.txt" || fail "licenses/openal-soft-build.txt does not name the shipped tarball"
for want in "cmake -S src -B build" "-DLIBTYPE=SHARED" "-DALSOFT_STATIC_WINPTHREAD=ON" "x86_64-w64-mingw32-g++-posix" \
            "set(CMAKE_SYSTEM_NAME Windows)"; do
  grep -qF -- "$want" "$dir/licenses/openal-soft-build.txt" || fail "licenses/openal-soft-build.txt lacks '$want'"
done
grep -q "winpthreads" "$dir/licenses/mingw-w64-runtime.txt" && grep -q "mingw-w64-crt/crt/" "$dir/licenses/mingw-w64-runtime.txt" ||
  fail "licenses/mingw-w64-runtime.txt is not the notice of MinGW-w64's runtime and winpthreads"
grep -q "GCC RUNTIME LIBRARY EXCEPTION" "$dir/licenses/gcc-runtime.txt" || fail "licenses/gcc-runtime.txt lacks GCC's runtime library exception"
for f in openal-soft-build.txt mingw-w64-runtime.txt gcc-runtime.txt; do
  grep -q "licenses/$f" "$dir/README.txt" || fail "README.txt does not name licenses/$f"
done
grep -q "vextrallis.exe" "$dir/README.txt" || fail "README.txt does not say how to start the game"

build_id() { "$objdump" -p "$1" | sed -n 's/.*format RSDS signature \([0-9a-f]*\) .*/\1/p' | head -n1; }
id=$(build_id "$dir/vextrallis.exe")
[ -n "$id" ] || fail "the zip's program has no build id"
[ "$id" = "$(build_id "$WIN_BUILD/vextrallis.exe")" ] ||
  fail "the zip's program is not the build's (build id $id; run cpack in the build folder again)"
"$objdump" -h "$dir/vextrallis.exe" | grep -q '\.debug_' && fail "the zip's program is not stripped"

# Windows' own DLLs the game or OpenAL Soft may use.
system_dll() {
  case $(echo "$1" | tr '[:upper:]' '[:lower:]') in
    kernel32.dll|user32.dll|gdi32.dll|shell32.dll|opengl32.dll|ws2_32.dll|msvcrt.dll|advapi32.dll|ole32.dll|\
    oleaut32.dll|winmm.dll|avrt.dll|shlwapi.dll|imm32.dll|version.dll|setupapi.dll|dsound.dll|ucrtbase.dll|\
    api-ms-win-*) return 0 ;;
  esac
  return 1
}
imports() { "$objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p'; }
exe_imports=$(imports "$dir/vextrallis.exe")
echo "vextrallis.exe imports: $(echo $exe_imports)"
for d in $exe_imports; do
  [ "$d" = OpenAL32.dll ] || system_dll "$d" || fail "vextrallis.exe needs $d, which Windows does not have"
done
echo "$exe_imports" | grep -qx OpenAL32.dll || fail "vextrallis.exe does not import OpenAL32.dll"
dll_imports=$(imports "$dir/OpenAL32.dll")
echo "OpenAL32.dll imports: $(echo $dll_imports)"
for d in $dll_imports; do system_dll "$d" || fail "OpenAL32.dll needs $d, which Windows does not have"; done

subsystem=$("$objdump" -p "$dir/vextrallis.exe" | awk '$1 == "Subsystem" {print $2}')
[ "$subsystem" = 00000002 ] || fail "vextrallis.exe's subsystem is $subsystem, not the Windows GUI (2)"
"$objdump" -f "$dir/vextrallis.exe" | grep -q 'file format pei-x86-64' || fail "vextrallis.exe is not a 64-bit program"

python3 "$E2E_WIN_DIR/pe_resources.py" "$dir/vextrallis.exe" > "$work/resources"
cat "$work/resources"
grep -q '^missing-icon' "$work/resources" && fail "an icon group names an image the program lacks"
for size in 16x16 32x32 48x48 256x256; do
  grep -q "^icon [0-9]* $size " "$work/resources" || fail "no $size image in the program's icon"
done
for line in "fileversion $version.0" "productversion $version.0" "string FileVersion=$version" \
            "string ProductVersion=$version" "string ProductName=Vextrallis" "string OriginalFilename=vextrallis.exe"; do
  grep -qx "$line" "$work/resources" || fail "the program's version information lacks '$line'"
done

# One application manifest, the one Windows reads (resource 1), saying what the game handles.
[ "$(grep -c '^manifest ' "$work/resources")" = 1 ] && grep -q '^manifest 1 ' "$work/resources" ||
  fail "the program does not carry exactly one manifest, as resource 1"
python3 "$E2E_WIN_DIR/pe_resources.py" --manifest "$dir/vextrallis.exe" > "$work/manifest.xml"
python3 - "$work/manifest.xml" <<'PY' || fail "the program's manifest does not say what the game handles"
import sys
import xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
settings = {e.tag.split('}')[1]: (e.text or '').strip() for e in root.iter() if '}' in e.tag}
os_ids = {e.get('Id') for e in root.iter() if e.tag.endswith('}supportedOS')}
level = [e.get('level') for e in root.iter() if e.tag.endswith('}requestedExecutionLevel')]
checks = [
    ('per-monitor v2 DPI awareness', settings.get('dpiAwareness', '').split(',')[0].strip() == 'PerMonitorV2'),
    ('per-monitor DPI awareness before Windows 10', settings.get('dpiAware') == 'true/pm'),
    ('long paths', settings.get('longPathAware') == 'true'),
    ('UTF-8 as the ANSI code page', settings.get('activeCodePage') == 'UTF-8'),
    ('Windows 10 and 11', '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}' in os_ids),
    ('the player\'s own rights', level == ['asInvoker']),
]
bad = [what for what, ok in checks if not ok]
for what in bad:
    print('manifest: no ' + what, file=sys.stderr)
sys.exit(1 if bad else 0)
PY
echo "manifest: DPI awareness $(sed -n 's:.*<dpiAwareness[^>]*>\([^<]*\)<.*:\1:p' "$work/manifest.xml"), long paths," \
     "UTF-8 code page, $(grep -c '<supportedOS ' "$work/manifest.xml") Windows versions"
