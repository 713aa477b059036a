#!/usr/bin/env bash
# Builds the browser version and serves it on this machine: open the address it prints.
# The folder it serves (build/native/web/dist) is the whole game, ready for any static server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIMZO_SANITIZE=ON
cmake --build build/native --target web
port="${BRIMZO_PORT:-8000}"
echo "Brimzo in the browser: http://127.0.0.1:$port/"
cd build/native/web/dist
exec python3 -m http.server --bind 127.0.0.1 "$port"
