#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the program needs, builds it, and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

ensure_packages "${BUILD_PACKAGES[@]}"

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DYELPCUE_TESTS=OFF >/dev/null
cmake --build build/release
exec build/release/src/app/yelpcue "$@"
