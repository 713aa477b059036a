#!/usr/bin/env bash
# Builds the game and starts it: under Wine on Linux. Only what playing needs is installed and
# built: the asset tools and the 64-bit program, optimised, without the tests. (On Windows,
# unpack a package of scripts/package.sh and run brimzo.exe.)
# The game keeps its settings, saved game and leader tables in $BRIMZO_HOME (~/brimzo).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh play
cmake -S . -B build/play -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIMZO_TESTS=OFF \
      -DBRIMZO_WINDOWS_ARCHES=x86_64 -DBRIMZO_WEB=OFF
cmake --build build/play --target windows_x86_64
if [ -z "${DISPLAY:-}" ]; then
    echo "play.sh: no display to show the game on (DISPLAY is not set)" >&2
    exit 1
fi
home="${BRIMZO_HOME:-$HOME/brimzo}"
mkdir -p "$home"
cp build/play/windows-x86_64/dist/* "$home"/ # the player's brimzo.ini is not among them
export WINEPREFIX="$PWD/build/play/wine" WINEDEBUG=-all
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i
cd "$home"
exec wine brimzo.exe
