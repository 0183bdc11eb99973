#!/usr/bin/env bash
# Builds the benchmarks in Release and runs each of them; every one prints its own figures.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

ensure_packages "${BUILD_PACKAGES[@]}"

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DYELPCUE_TESTS=OFF \
    -DYELPCUE_BENCH=ON >/dev/null
cmake --build build/bench -j2

XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
export QT_QPA_PLATFORM=offscreen

for benchmark in build/bench/bench/bench_*; do
    [ -x "$benchmark" ] || continue
    echo "== $(basename "$benchmark")"
    "$benchmark"
done
