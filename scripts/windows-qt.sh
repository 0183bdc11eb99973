#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt for 64-bit Windows (mingw-w64) from Debian's own qt6-base source, the version the
# Linux build uses, and installs it into a cache outside the checkout, reused while that
# version stays the same. Prints the installed prefix.
#   scripts/windows-qt.sh          YELPCUE_QT_CACHE: the cache folder (~/.cache/yelpcue)
# The first build takes about 20 minutes on two cores and keeps about 85 MB; its 1.1 GB build
# folder is removed once Qt is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
project=$PWD
source scripts/common.sh

# Debian's host Qt gives the build tools (moc, rcc, uic) that the Windows build runs here.
ensure_packages cmake ninja-build dpkg-dev g++-mingw-w64-x86-64-posix \
    qt6-base-dev qt6-base-dev-tools

version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
cache=${YELPCUE_QT_CACHE:-$HOME/.cache/yelpcue}
prefix=$cache/qt-${version//[:+~]/_}-mingw
# One build at a time: a second caller waits for the first and then uses its Qt.
mkdir -p "$cache"
exec 9>"$cache/qt-build.lock"
flock 9
if [ -f "$prefix/yelpcue-qt-version" ] && [ "$(cat "$prefix/yelpcue-qt-version")" = "$version" ]; then
    echo "$prefix"
    exit 0
fi

work=$cache/qt-build
rm -rf "$work" "$prefix"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

echo "Fetching Debian's qt6-base $version source" >&2
fetch_debian_sources "$work" "qt6-base=$version"
# Unpacking applies Debian's patches.
dpkg-source --no-check -x "$work"/qt6-base_*.dsc "$work/source" >"$work/unpack.log" 2>&1

# Only what the program needs: Core, Gui, Widgets, Network and Test, the Windows and
# offscreen platforms and the Windows styles, as shared libraries. mingw-w64 has no
# wintab.h (tablets off), and Direct2D 1.1 is not needed by the Windows platform plugin.
echo "Building Qt for Windows into $prefix (about 20 minutes on two cores)" >&2
mkdir -p "$work/build"
(cd "$work/build" && "$work/source/configure" -prefix "$prefix" -qt-host-path /usr \
    -release -shared -nomake tests -nomake examples \
    -no-opengl -no-dbus -no-pkg-config -no-icu -no-glib \
    -no-feature-sql -no-feature-xml -no-feature-printsupport -no-feature-concurrent \
    -no-feature-androiddeployqt -no-feature-direct2d1_1 -no-feature-tabletevent \
    -no-openssl -schannel -qt-zlib -qt-pcre -qt-libpng -no-libjpeg -qt-freetype \
    -qt-harfbuzz -qt-doubleconversion -- -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$project/cmake/mingw-w64.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake) >"$work/configure.log" 2>&1 ||
    { tail -n 40 "$work/configure.log" >&2; exit 1; }
nice -n 19 cmake --build "$work/build" --parallel "$(nproc)" >"$work/build.log" 2>&1 ||
    { grep -B 2 -A 20 'FAILED' "$work/build.log" | head -n 60 >&2; exit 1; }
cmake --install "$work/build" >/dev/null
echo "$version" >"$prefix/yelpcue-qt-version"
echo "$prefix"
