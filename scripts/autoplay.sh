#!/usr/bin/env bash
# Plays the computer player's games headless and writes their table into docs/measurements.md:
# 100 games per mode from seeds 1 to 100, and the best player's again from seeds 1001 to 1100,
# each game capped at 3000 moves, beside a random and a simple greedy player. One core, low
# priority: the machine is shared. More flags go to the tool (e.g. --games 20).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release --target autoplay
nice -n 10 taskset -c 0 build/release/bench/autoplay --games 100 --seed 1 --check-seed 1001 \
    --cap 3000 --player all "$@" | tee /dev/stderr | python3 scripts/measurements.py put autoplay
