#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package yelpcue_<version>_<architecture>.deb from a Release build and
# prints its path: scripts/package.sh [BUILD_FOLDER], build/package when none is given.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

build=${1:-build/package}
# Debian's own build flags, its hardening included (stack protector, fortified calls, relro, now).
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DYELPCUE_TESTS=OFF \
    -DCMAKE_C_FLAGS="$CPPFLAGS $CFLAGS" -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" \
    -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >/dev/null
cmake --build "$build"
# Only this build's package is left there, so none of an older version is taken for it.
rm -f "$build"/yelpcue_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
realpath "$build"/yelpcue_*.deb
