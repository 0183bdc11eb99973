#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package as a player installs it: its fields, its files, the distribution's own
# checkers on the package (lintian) and its desktop metadata, and the program run from it.
# PackageTest.sh FOLDER VERSION APPSTREAM_ID, FOLDER being where scripts/package.sh built it.
set -uo pipefail
folder=$1
version=$2
metainfo=usr/share/metainfo/$3.metainfo.xml
package=$folder/yelpcue_${version}_$(dpkg --print-architecture).deb
if [ ! -f "$package" ]; then
    echo "FAIL: no $package (scripts/package.sh builds it)"
    exit 1
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

[ "$(dpkg-deb -f "$package" Package)" = yelpcue ] || fail "Package is not yelpcue"
[ "$(dpkg-deb -f "$package" Version)" = "$version" ] || fail "Version is not $version"
for field in Section Homepage Description; do
    [ -n "$(dpkg-deb -f "$package" "$field")" ] || fail "no $field"
done

dpkg-deb -c "$package" | awk '{ print $6 }' >"$scratch/files"
for file in usr/games/yelpcue usr/share/man/man6/yelpcue.6.gz usr/share/doc/yelpcue/readme.txt \
    usr/share/doc/yelpcue/copyright usr/share/doc/yelpcue/changelog.gz \
    usr/share/applications/yelpcue.desktop usr/share/icons/hicolor/scalable/apps/yelpcue.svg \
    usr/share/icons/hicolor/64x64/apps/yelpcue.png "$metainfo"; do
    grep -qx "./$file" "$scratch/files" || fail "$file is not in the package"
done

root=$scratch/root
dpkg-deb -x "$package" "$root"
file "$root/usr/share/icons/hicolor/64x64/apps/yelpcue.png" | grep -q "PNG image data, 64 x 64" ||
    fail "the bitmap icon is not a 64 x 64 PNG"

# Depends names the package of every Qt library the program loads (libQt6Gui.so.6: libqt6gui6).
depends=$(dpkg-deb -f "$package" Depends)
libraries=$(readelf -d "$root/usr/games/yelpcue" | sed -n 's/.*\[libQt6\([A-Za-z]*\)\.so\.6\]/\1/p')
[ -n "$libraries" ] || fail "the program loads no Qt library"
for library in $libraries; do
    grep -qE "(^|, )libqt6${library,,}6( |,|$)" <<<"$depends" ||
        fail "Depends lacks libqt6${library,,}6: $depends"
done

# Debian's rules, by its own checker: any error or warning fails.
lintian --fail-on error,warning "$package" >"$scratch/out" 2>&1 || fail "lintian: $(cat "$scratch/out")"
# man finds the page where the package puts it, and it holds the program's own options.
MANPAGER=cat man -M "$root/usr/share/man" yelpcue 2>/dev/null | grep -q -- '--version' ||
    fail "man yelpcue does not show the options"

desktop=$(desktop-file-validate "$root/usr/share/applications/yelpcue.desktop" 2>&1) && [ -z "$desktop" ] ||
    fail "desktop-file-validate: $desktop"
# Every remark counts, the pedantic ones too (the tool passes those with status 0).
appstreamcli validate --pedantic --no-net "$root/$metainfo" >"$scratch/out" 2>&1 &&
    ! grep -q '^[EWIP]: ' "$scratch/out" || fail "appstreamcli validate: $(cat "$scratch/out")"
# The tree's check also finds the desktop entry that the metadata launches.
appstreamcli validate-tree --no-net "$root" >"$scratch/out" 2>&1 ||
    fail "appstreamcli validate-tree: $(cat "$scratch/out")"

# The program as installed, with the system's libraries and no display.
answer=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$scratch" \
    "$root/usr/games/yelpcue" --version 2>&1)
[ $? -eq 0 ] && [ "$(head -n 1 <<<"$answer")" = "Yelpcue $version" ] &&
    [[ $(sed -n 2p <<<"$answer") == "License GPL-3.0-or-later: "* ]] || fail "yelpcue --version: $answer"

[ "$failures" -eq 0 ] || exit 1
echo "yelpcue_${version} checked: $(stat -c %s "$package") bytes"
