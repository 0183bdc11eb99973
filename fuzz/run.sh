#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for the given number of seconds, starting from its committed seed corpus.
# Prints the executions and findings of every target; a finding (crash, broken rule, hang,
# memory blow-up) is kept under build/fuzz/findings/<target>/ and makes the script fail.
#
# Usage: fuzz/run.sh [SECONDS per target, default 60] [target ...]
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
build=build/fuzz

CC=${CC:-clang-14} CXX=${CXX:-clang++-14} cmake -S . -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DYELPCUE_FUZZ=ON -DYELPCUE_SANITIZE=ON \
    -DYELPCUE_GUI=OFF -DYELPCUE_TESTS=OFF >/dev/null || exit 1
cmake --build "$build" -j2 >/dev/null || { cmake --build "$build" -j1; exit 1; }

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for seeds in fuzz/corpus/*/; do
        targets+=("$(basename "$seeds")")
    done
fi

# Longest input per target: key strings and settings values are short texts; console text
# and trigger files are larger.
max_len() {
    case "$1" in
    key_string) echo 256 ;;
    settings) echo 1024 ;;
    *) echo 8192 ;;
    esac
}

status=0
printf '%-14s %12s %10s %s\n' target executions findings corpus
for target in "${targets[@]}"; do
    program="$build/fuzz/fuzz_$target"
    work="$build/corpus/$target"
    findings="$build/findings/$target"
    log="$build/logs/$target.log"
    mkdir -p "$work" "$findings" "$(dirname "$log")"
    # New inputs go to the working corpus; the committed seeds stay as they are.
    "$program" "$work" "fuzz/corpus/$target" -max_total_time="$seconds" \
        -max_len="$(max_len "$target")" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
    found=$(find "$findings" -type f | wc -l)
    inputs=$(find "$work" -type f | wc -l)
    printf '%-14s %12s %10s %s\n' "$target" "${executions:-?}" "$found" "$inputs"
    if [ "$found" -ne 0 ]; then
        status=1
        echo "  findings in $findings, log in $log"
    fi
done
exit $status
