#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the tests need, builds with the sanitizers and builds the Debian package,
# and runs every test headless.
# With --windows, builds the program, its tests and its installer for Windows instead and runs
# the tests under Wine (scripts/test-windows.sh).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

# --windows: the program and its tests built for Windows and run under Wine.
if [ "${1:-}" = "--windows" ]; then
    exec scripts/test-windows.sh
fi

ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DYELPCUE_SANITIZE=ON \
    -DYELPCUE_PACKAGE_DIR="$PWD/build/package" >/dev/null
cmake --build build/test
# The Debian package, from a Release build of its own; a test checks it.
scripts/package.sh build/package

XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
cleanup() {
    stop_xvfb
    rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT
start_xvfb
# Tests that need a real X server fail instead of skipping when it is missing here.
export YELPCUE_REQUIRE_X=1
# What libraries below Qt keep for the life of the process is not ours to free.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"

ctest --test-dir build/test --output-on-failure -j"$(nproc)"
