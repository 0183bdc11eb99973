#!/usr/bin/env bash
# Cross-builds the core and its tests for Windows with mingw-w64 and runs them under Wine,
# headless, in a Wine prefix of their own that is removed afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

# libgtest-dev ships the GoogleTest sources (/usr/src/googletest) that are built for Windows.
ensure_packages cmake ninja-build libgtest-dev g++-mingw-w64-x86-64-posix wine64

cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Debug -DYELPCUE_GUI=OFF >/dev/null
cmake --build build/windows

WINE_DIR=/usr/lib/wine
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Without a display Wine uses its own US keyboard layout rather than the X server's.
unset DISPLAY WAYLAND_DISPLAY
# The server is gone before its prefix: a later prefix may get the same inode, and with it
# the same server socket.
cleanup() {
    exec 3>&-
    "$WINE_DIR/wineserver" -k 2>/dev/null || true
    "$WINE_DIR/wineserver" -w 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

# The prefix is created once, before the tests start in parallel. Windows get Wine's
# display-less graphics driver, so that the key tests have a window to type into; the
# server is restarted for it.
if ! { "$WINE_DIR/wine64" wineboot --init &&
    "$WINE_DIR/wine64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f; } \
    >"$WINEPREFIX/setup.log" 2>&1; then
    cat "$WINEPREFIX/setup.log" >&2
    echo "Wine could not set up its prefix" >&2
    exit 1
fi
"$WINE_DIR/wineserver" -k 2>/dev/null || true
"$WINE_DIR/wineserver" -w
# The server and Wine's own background programs (services, the desktop) stay up until the
# end: left alone, they shut down whenever no test is running, and turn away the tests that
# start meanwhile. A program waiting for a key on a pipe that stays open keeps them up.
"$WINE_DIR/wineserver" -p >/dev/null 2>&1
exec 3> >("$WINE_DIR/wine64" cmd.exe /c pause >/dev/null 2>&1)

ctest --test-dir build/windows --output-on-failure -j"$(nproc)"
