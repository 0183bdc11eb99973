#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Windows installer yelpcue-<version>-setup.exe with NSIS and prints its path:
#   scripts/package-windows.sh [BUILD_FOLDER]
# The folder is a Windows build (build/windows-package when none is given); one not yet
# configured is configured in Release without the tests. Qt comes from scripts/windows-qt.sh
# and the sound libraries from scripts/windows-sound-libs.sh, built from Debian's sources the
# first time (about 20 and 6 minutes), then taken from their cache.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

build=${1:-build/windows-package}
if [ -f "$build/CMakeCache.txt" ]; then
    windows_prefixes
else
    configure_windows_build "$build" -DYELPCUE_TESTS=OFF
fi
cmake --build "$build" --target yelpcue
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

# The program as installed: yelpcue.exe with the read-me beside it (in Windows line ends, for
# Notepad) and espeak-ng's data (real files where Debian may link), the Qt plugins it loads,
# and every DLL that any of them imports from Qt, the sound libraries or the compiler's
# runtime. What Windows itself provides is left out.
# Absolute paths: makensis works in the folder of its script.
installer=$(realpath "$build")/installer
stage=$installer/stage
rm -rf "$installer"
cmake --install "$build" --prefix "$stage" --strip >/dev/null
sed -i 's/\r*$/\r/' "$stage/readme.txt"
espeak_data=$(espeak_data_parent)
cp -RL "$espeak_data/espeak-ng-data" "$stage/"
for plugin in platforms/qwindows.dll styles/qwindowsvistastyle.dll; do
    mkdir -p "$stage/$(dirname "$plugin")"
    cp "$QT_PREFIX/plugins/$plugin" "$stage/$plugin"
done
mapfile -t libraries < <(echo "$QT_PREFIX/bin"; echo "$SOUND_LIBS_PREFIX/bin"; mingw_runtime_dirs)
pending=("$stage"/yelpcue.exe "$stage"/*/*.dll)
while [ ${#pending[@]} -gt 0 ]; do
    binary=${pending[0]}
    pending=("${pending[@]:1}")
    for dll in $(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p'); do
        [ -f "$stage/$dll" ] && continue
        for folder in "${libraries[@]}"; do
            if [ -f "$folder/$dll" ]; then
                cp "$folder/$dll" "$stage/$dll"
                pending+=("$stage/$dll")
                break
            fi
        done
    done
done
find "$stage" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
# The licence (as the read-me, for Notepad) and a third-party notice for every DLL and data.
sed -i 's/\r*$/\r/' "$stage/LICENSE.txt"
scripts/windows-notices.sh "$stage" "$SOUND_LIBS_PREFIX/share/yelpcue-sources"

# What the uninstaller removes: the files installed, then their folders once empty.
{
    (cd "$stage" && find . -type f | sort) | sed 's|^\./||; s|/|\\|g; s|.*|Delete "$INSTDIR\\&"|'
    (cd "$stage" && find . -mindepth 1 -type d | sort -r) | sed 's|^\./||; s|/|\\|g; s|.*|RMDir "$INSTDIR\\&"|'
} >"$installer/files.nsh"

setup=$(realpath "$build")/yelpcue-$version-setup.exe
rm -f "$build"/yelpcue-*-setup.exe
homepage=$(sed -n 's/^CMAKE_PROJECT_HOMEPAGE_URL:STATIC=//p' "$build/CMakeCache.txt")
makensis -V2 -DVERSION="$version" -DSTAGEDIR="$stage" -DFILELIST="$installer/files.nsh" \
    -DHOMEPAGE="$homepage" -DSIZE_KB="$(du -sk "$stage" | cut -f1)" -DOUTFILE="$setup" data/windows/yelpcue.nsi >/dev/null
echo "$setup"
