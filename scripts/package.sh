#!/usr/bin/env bash
# Makes the release packages, brimzo-<version>-windows-x64.zip and -x86.zip, in
# build/release/packages: an optimised tree without sanitizers, both Windows programs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release --target packages
ls -l build/release/packages/*.zip
