#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Key latency: from a console line written to the key press arriving in the focused window,
# for Yelpcue and, in the same run, for tail -F | grep | xdotool. Under a private Xvfb.
# Usage: bench/latency.sh [lines]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
source bench/common.sh

lines=${1:-300}
ensure_packages "${TEST_PACKAGES[@]}" xdotool
build_benchmarks

start_private_desktop

# Each subject finds LOG, QUAKE_DIR and READY in its environment (see latency_probe).
yelpcue="write_yelpcue_settings \"\$QUAKE_DIR\" $home/config SHOTGUN F2
env $(yelpcue_environment "$home") $BENCH_BUILD/src/app/yelpcue &
# Start has the focus in the main window.
window=\$(xdotool search --sync --onlyvisible --name '^Yelpcue\$' | head -n 1)
xdotool windowfocus --sync \"\$window\" key space
touch \"\$READY\"
wait"
pipeline='touch "$READY"
tail -F "$LOG" | grep --line-buffered -i -F SHOTGUN | while read; do xdotool key F2; done'

export -f write_yelpcue_settings
"$BENCH_BUILD/bench/latency_probe" "$lines" SHOTGUN F2 yelpcue "$yelpcue" pipeline "$pipeline"
