#!/usr/bin/env bash
# Builds the browser version and serves it on this machine: open the address it prints.
# The folder it serves (build/native/web/dist) is the whole game, ready for any static server;
# this one sends the compressed copies beside the files, as hosts that serve them do.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIMZO_SANITIZE=ON
cmake --build build/native --target web
port="${BRIMZO_PORT:-8000}"
echo "Brimzo in the browser: http://127.0.0.1:$port/"
exec python3 scripts/web_serve.py build/native/web/dist "$port"
