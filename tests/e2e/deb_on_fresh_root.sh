#!/usr/bin/env bash
# Proves the Debian package on a fresh Debian 12 root, run there through the fresh-machine tool:
#   FRESH_CMD='bash tests/e2e/deb_on_fresh_root.sh' ../shared/tools/fresh-debian
# Builds the package with the play command's set-up, removes every build package again (so only what the
# package declares can bring the libraries back), installs it with apt-get, and plays the installed game.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/setup
# The package's dependencies are read off the program's links, with the file tool's help.
apt-get install -y -q file >/dev/null
(cd build && cpack -G DEB)
deb=$(readlink -f build/vextrallis_*.deb)
cp "$deb" /root/
export DEBIAN_FRONTEND=noninteractive
apt-get purge -y -q --auto-remove build-essential cmake pkg-config libglfw3-dev libx11-dev libgl-dev \
  libopenal-dev libopenal1 libstb-dev libcairo2-dev libfreetype-dev libvorbis-dev libglfw3 >/dev/null
for lib in libglfw3 libopenal1; do
  if dpkg-query -W -f='${Status}' "$lib" 2>/dev/null | grep -q "install ok installed"; then
    echo "$lib is still installed after the purge"; exit 1
  fi
done
apt-get install -y -q "/root/$(basename "$deb")"
echo "== installed: $(dpkg-query -W -f='${Package} ${Version}: ${Depends}' vextrallis)"
# What the check itself needs (the X server and the tools that drive and read it), not the game.
apt-get install -y -q xvfb xauth xdotool imagemagick x11-utils python3 bc >/dev/null
bash tests/e2e/play_installed.sh /usr/games/vextrallis
