#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks in Release and runs each of them; every one prints its own figures.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
source bench/common.sh

build_benchmarks

XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

for benchmark in "$BENCH_BUILD"/bench/bench_*; do
    [ -f "$benchmark" ] && [ -x "$benchmark" ] || continue
    echo "== $(basename "$benchmark")   (uptime: $(uptime))"
    QT_QPA_PLATFORM=offscreen "$benchmark"
done
for script in bench/latency.sh bench/footprint.sh; do
    echo "== $(basename "$script")   (uptime: $(uptime))"
    "$script"
done
