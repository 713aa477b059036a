#!/usr/bin/env bash
# Builds the browser version (always optimised), measures it in the three engines, and the
# computer player's choice in its WebAssembly, and writes the figures into docs/measurements.md.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIMZO_SANITIZE=ON
cmake --build build/native --target web
NODE_PATH=/usr/share/nodejs cmake --build build/native/web --target choice_bench
node bench/web_bench.mjs --dist build/native/web/dist --chromium "$(command -v chromium)" \
    --firefox "$(command -v firefox-esr)" --choice build/native/web/choice --write
