#!/usr/bin/env bash
# Builds the game and starts it: under Wine on Linux. (On Windows, run brimzo.exe from the
# folder build/native/windows-x86_64/dist, or from the zip of that folder.)
# The game keeps its settings, saved game and leader tables in $BRIMZO_HOME (~/brimzo).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIMZO_SANITIZE=ON
cmake --build build/native
if [ -z "${DISPLAY:-}" ]; then
    echo "play.sh: no display to show the game on (DISPLAY is not set)" >&2
    exit 1
fi
home="${BRIMZO_HOME:-$HOME/brimzo}"
mkdir -p "$home"
cp build/native/windows-x86_64/dist/* "$home"/ # the player's brimzo.ini is not among them
export WINEPREFIX="$PWD/build/native/wine" WINEDEBUG=-all
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i
cd "$home"
exec wine brimzo.exe
