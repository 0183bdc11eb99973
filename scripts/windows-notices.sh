#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the third-party notices of a Windows installation into its folder licenses: one
# notice for each Debian source package that a DLL or a data folder there comes from, as
# data/windows/dll-notices.tsv says, with the licence, the version, where its source is and
# Debian's copyright file; beside them the licence texts those files point to in
# common-licenses. Fails, naming them, when a DLL or data folder has no row there.
#   scripts/windows-notices.sh STAGE [SOURCES]
# SOURCES (scripts/windows-sound-libs.sh's share/yelpcue-sources) names the source version
# and holds the copyright file of a library built from another version than the installed
# package's, where Debian serves this one's source no longer.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
stage=$1
sources=${2:-}
table=data/windows/dll-notices.tsv

# Each DLL to the package of the first row that has a pattern for it; the notice names it as
# Windows does, with backslashes.
mapfile -t rows < <(grep -v -e '^#' -e '^$' "$table")
declare -A dlls_of
missing=()
shopt -s nocasematch
set -f # the patterns are for matching the DLLs, not for the files here
while IFS= read -r dll; do
    package=
    for row in "${rows[@]}"; do
        IFS=$'\t' read -r patterns candidate _ <<<"$row"
        for pattern in $patterns; do
            [[ $dll == $pattern ]] && package=$candidate && break 2
        done
    done
    if [ -z "$package" ]; then
        missing+=("$dll")
    else
        dlls_of[$package]+="${dlls_of[$package]:+, }${dll//\//\\}"
    fi
done < <(cd "$stage" && {
    find . -iname '*.dll'
    # A folder of data at the top, such as espeak-ng's, comes from a package too.
    find . -mindepth 1 -maxdepth 1 -type d ! -name licenses -exec sh -c \
        'find "$1" -iname "*.dll" | grep -q . || echo "$1"' _ {} \;
} | sed 's|^\./||' | sort)
set +f
if [ ${#missing[@]} -gt 0 ]; then
    echo "windows-notices: no notice for ${missing[*]}: add a row for it to $table" >&2
    exit 1
fi

ensure_packages "${!dlls_of[@]}"
notices=$stage/licenses
rm -rf "$notices"
mkdir -p "$notices/common-licenses"
for row in "${rows[@]}"; do
    IFS=$'\t' read -r _ package licence made <<<"$row"
    [ -n "${dlls_of[$package]:-}" ] || continue
    copyright=/usr/share/doc/$package/copyright
    source=$(dpkg-query -W -f='${source:Package}' "$package")
    version=$(dpkg-query -W -f='${source:Version}' "$package")
    package_version=$(dpkg-query -W -f='${Version}' "$package")
    # Only the libraries are built here; a data folder is the package's own.
    if [ -n "$sources" ] && [ -f "$sources/$source.version" ] && [[ ${dlls_of[$package]} == *.dll* ]]; then
        version=$(cat "$sources/$source.version")
        package_version="$version, built from that source"
        [ -f "$sources/$source.copyright" ] && copyright=$sources/$source.copyright
    fi
    # A package built from sources kept in another package says so (the GCC runtime: gcc-12).
    built_using=$(dpkg-query -W -f='${Built-Using}' "$package")
    # One notice a source package, or a package where two of one source are carried.
    notice=$notices/$source.txt
    [ -e "$notice" ] && notice=$notices/$package.txt
    {
        fold -s -w 78 <<NOTICE
${dlls_of[$package]}

Licence: $licence.
Version: $package_version (Debian's $package, from its source package $source $version).
Source: Debian's source package $source $version ("apt-get source $source=$version" on Debian, or https://snapshot.debian.org/package/$source/$version/)${built_using:+, with the sources of $built_using}; $made.
The licence texts that Debian's copyright file below names in /usr/share/common-licenses are in the folder common-licenses beside this file.

Debian's copyright file of $source ($copyright):
NOTICE
        echo
        cat "$copyright"
    } >"$notice"
    for text in $(grep -oE '/usr/share/common-licenses/[A-Za-z0-9+_-]+(\.[0-9]+)?' "$copyright" | sort -u); do
        if [ -f "$text" ]; then
            cp -L "$text" "$notices/common-licenses/$(basename "$text").txt"
        fi
    done
done
# In Windows line ends, for Notepad.
find "$notices" -type f -exec sed -i 's/\r*$/\r/' {} +
