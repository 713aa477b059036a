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

# the real window, under Wine, taken by the end-to-end harness
cd ../../..
bash scripts/setup.sh
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIMZO_SANITIZE=ON
cmake --build build/native
args=(--exe build/native/windows-x86_64/dist/brimzo.exe --assets build/native/assets
      --prefix build/native/wine)
python3 tests/e2e/cases.py prepare_prefix "${args[@]}"
python3 scripts/window_shot.py "${args[@]}" --out docs/window.png

# the browser version, in headless Chromium
node scripts/web_shot.mjs --dist build/native/web/dist --chromium "$(command -v chromium)" \
    --model tests/e2e --out docs/web.png
