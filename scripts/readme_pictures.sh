#!/usr/bin/env bash
# Composes the README's pictures from the generated skins.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release --target compose_screen assets
cd build/release/assets
../tools/compose_screen brimzo.png ../../../docs/start.png start
../tools/compose_screen brimzo.png ../../../docs/playing.png playing
../tools/compose_screen meadow.png ../../../docs/meadow.png playing
