#!/usr/bin/env bash
# The one test command: installs what is missing, builds, runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIMZO_SANITIZE=ON
cmake --build build/native
ctest --test-dir build/native --output-on-failure -j2
