#!/usr/bin/env bash
# Builds an optimised tree without sanitizers and runs the benchmarks; the rules' figures go
# into docs/measurements.md.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release --target core_bench render_bench
build/release/bench/core_bench --benchmark_out=build/release/core_bench.json \
    --benchmark_out_format=json "$@"
python3 scripts/measurements.py core build/release/core_bench.json
build/release/bench/render_bench "$@"
