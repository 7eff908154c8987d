# The set-up names why packages could not be installed: no root and no sudo, sudo refused, the mirror
# unreachable, a package missing from apt's lists; and a warning from an unrelated source does not stop
# it. apt, sudo and dpkg are stand-ins on the PATH here; nothing is installed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir "$work/bin"
stub() { printf '#!/bin/bash\n%s\n' "$2" > "$work/bin/$1"; chmod +x "$work/bin/$1"; }
# Nothing is installed; apt's answers come from files the cases write.
stub dpkg-query 'exit 1'
stub id 'echo "${STUB_UID:-1000}"'
stub apt-get 'case " $* " in
  *" update "*) cat "$STUB/update.out" 2>/dev/null; exit "$(cat "$STUB/update.status" 2>/dev/null || echo 0)" ;;
  *" install "*) echo installed >> "$STUB/installed"; exit 0 ;;
esac'
stub apt-cache 'grep -qx "$2" "$STUB/known" 2>/dev/null'

# The few system tools the installer uses, alone on the PATH, so that the machine's own sudo (if any) is
# not found when a case has none.
mkdir "$work/sys"
for t in env grep mktemp tee cat rm; do ln -s "$(command -v "$t")" "$work/sys/$t"; done
# Runs the installer for packages "tool lib" as the given user set-up; prints its messages.
run() {
  rm -f "$work/installed"
  (export PATH="$work/bin:$work/sys" STUB="$work"; source "$root/scripts/install-packages"
   vx_install_packages setup tool lib) 2>&1
}

# Cases: what the machine is like, and a phrase the message must hold ("" when it must succeed).
rm -f "$work/bin/sudo"
export STUB_UID=1000
out=$(run) && fail "no sudo: succeeded"
grep -q "sudo is not installed" <<<"$out" || fail "no sudo: $out"

stub sudo 'if [ "$1" = -v ]; then echo "user is not in the sudoers file" >&2; exit 1; fi; "$@"'
out=$(run) && fail "sudo refused: succeeded"
grep -q "sudo refused" <<<"$out" || fail "sudo refused: $out"

export STUB_UID=0
printf 'Err:1 http://deb.example bookworm InRelease\n  Could not resolve deb.example\nW: Failed to fetch http://deb.example/dists/bookworm/InRelease\nW: Some index files failed to download.\n' > "$work/update.out"
: > "$work/known"
out=$(run) && fail "mirror down: succeeded"
grep -q "mirror cannot be reached" <<<"$out" || fail "mirror down: $out"

: > "$work/update.out"
printf 'tool\n' > "$work/known"
out=$(run) && fail "missing package: succeeded"
grep -q "not in the lists of apt's sources: lib" <<<"$out" || fail "missing package: $out"

# A third-party source that fails while Debian's serves everything: the set-up goes on.
printf 'W: Failed to fetch https://third.example/dists/stable/InRelease  403 Forbidden\n' > "$work/update.out"
echo 100 > "$work/update.status"
printf 'tool\nlib\n' > "$work/known"
out=$(run) || fail "an unrelated source's warning stopped it: $out"
[ -f "$work/installed" ] || fail "nothing was installed: $out"
echo "each failure named; an unrelated source's warning let through"
