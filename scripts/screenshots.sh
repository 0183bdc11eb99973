#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders every window under a private X server to docs/screenshots/*.png.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cmake -S . -B build/docs -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/docs --target yelpcue_screenshots

XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'stop_xvfb; rm -rf "$XDG_RUNTIME_DIR"' EXIT
start_xvfb
QT_QPA_PLATFORM=xcb build/docs/docs/yelpcue_screenshots docs/screenshots
