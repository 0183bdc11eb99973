#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What the running program costs: start-up time, resident memory idle and during a 20 MB
# growth of the log, CPU use of an idle session over a minute. Under a private Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
source bench/common.sh

ensure_packages "${TEST_PACKAGES[@]}"
build_benchmarks

start_private_desktop

quake=$home/quake
write_yelpcue_settings "$quake" "$home/config" SHOTGUN F2
echo "]condebug" >"$quake/id1/qconsole.log"
# shellcheck disable=SC2046 # the environment's words are meant to be split
env $(yelpcue_environment "$home") "$BENCH_BUILD/bench/footprint_probe" \
    "$quake/id1/qconsole.log" "$quake/id1/bellcast.cfg" SHOTGUN Yelpcue \
    "$PWD/$BENCH_BUILD/src/app/yelpcue"
