#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the whole program and its tests for 64-bit Windows with mingw-w64, against the Qt
# and the sound libraries that scripts/windows-qt.sh and scripts/windows-sound-libs.sh build
# from Debian's sources (or take from their cache), builds the installer
# (scripts/package-windows.sh), and runs every test as a Windows program under Wine:
# headless, in a Wine prefix of its own that is removed afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

# step NAME COMMAND...: runs a step and says how long it took.
step() {
    local name=$1 start=$SECONDS
    shift
    "$@"
    echo "test-windows: $name took $((SECONDS - start)) s" >&2
}

build=build/windows
step "Qt, the sound libraries and the configuration" configure_windows_build "$build"
step "the build" nice cmake --build "$build"
step "the installer" scripts/package-windows.sh "$build" >/dev/null

WINE_DIR=/usr/lib/wine
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Qt's DLLs, the sound libraries and the compiler's runtime are found where they were built. Wine hides QT_*
# variables from Windows programs and passes WINEQT_* on as QT_*: the windows tests draw
# their text offscreen with the fonts found here.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
WINEPATH=$(for dir in "$QT_PREFIX/bin" "$SOUND_LIBS_PREFIX/bin" $(mingw_runtime_dirs); do printf '%s;' "$(windows_path "$dir")"; done)
export WINEPATH WINEQT_QPA_FONTDIR=$(windows_path /usr/share/fonts/truetype/dejavu)
# Speech reads Debian's espeak-ng-data where it is installed for Linux.
espeak_data=$(espeak_data_parent)
YELPCUE_ESPEAK_DATA=$(windows_path "$espeak_data")
export YELPCUE_ESPEAK_DATA
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
# display-less graphics driver, so that the key tests and the program have a desktop to
# work on; the server is restarted for it.
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

step "the tests" ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
