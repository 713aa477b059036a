#!/usr/bin/env bash
# Builds an optimised tree without sanitizers and runs the benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release --target core_bench render_bench
build/release/bench/core_bench "$@"
build/release/bench/render_bench "$@"
