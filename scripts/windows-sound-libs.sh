#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the sound libraries for 64-bit Windows (mingw-w64) from Debian's own source packages,
# the versions the Linux build uses: libsndfile reading and writing WAV, FLAC, Ogg Vorbis, Opus
# and MP3 (through libogg, libvorbis, flac, opus, mpg123 and LAME), libsoxr, libebur128 and
# espeak-ng's speech library, as DLLs with import libraries and pkg-config files. Installs them
# into one prefix in the cache outside the checkout, reused while every version and this recipe
# stay the same, and prints it.
#   scripts/windows-sound-libs.sh          YELPCUE_QT_CACHE: the cache folder (~/.cache/yelpcue)
# The first build takes about 6 minutes on two cores busy with other builds and keeps 5.9 MB
# (4.0 MB of DLLs); its build folder is removed once the libraries are installed.
set -euo pipefail
cd "$(dirname "$0")/.."
project=$PWD
source scripts/common.sh

ensure_packages "${WINDOWS_LIBRARY_PACKAGES[@]}"

# Each library as Debian source package:installed binary package; the binary package's source
# version is the one the Linux build runs with.
libraries=(libogg:libogg0 libvorbis:libvorbis0a flac:libflac12 opus:libopus0 mpg123:libmpg123-0
    lame:libmp3lame0 libsndfile:libsndfile1 libsoxr:libsoxr0 libebur128:libebur128-1)
declare -A version
for library in "${libraries[@]}"; do
    version[${library%%:*}]=$(dpkg-query -W -f='${source:Version}' "${library#*:}")
done
# espeak-ng: Linux runs bookworm's 1.51+dfsg-10+deb12u2, but Debian's archive no longer serves
# that version's upstream tarball (espeak-ng_1.51+dfsg.orig.tar.gz, 404), so this is trixie's
# source, the nearest version it serves whole, with trixie's patches. This library reads the
# bookworm espeak-ng-data (1.51) that the installer puts beside the program.
version[espeak-ng]=1.52.0+dfsg-5
recipe=$({
    for name in "${!version[@]}"; do echo "$name=${version[$name]}"; done | sort
    # This script's commands, not its comments.
    echo "recipe $(grep -v '^ *#' "$0" | sha256sum | cut -c1-16)"
})
cache=${YELPCUE_QT_CACHE:-$HOME/.cache/yelpcue}
prefix=$cache/sound-libs-$(sha256sum <<<"$recipe" | cut -c1-12)-mingw
# One build at a time: a second caller waits for the first and then uses its prefix.
mkdir -p "$cache"
exec 9>"$cache/sound-libs-build.lock"
flock 9
if [ -f "$prefix/yelpcue-sound-libs" ] && [ "$(cat "$prefix/yelpcue-sound-libs")" = "$recipe" ]; then
    echo "$prefix"
    exit 0
fi

work=$cache/sound-libs-build
rm -rf "$work" "$prefix"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
renice -n 19 -p $$ >/dev/null

echo "Fetching Debian's sources: ${!version[*]}" >&2
sources=()
for name in "${!version[@]}"; do sources+=("$name=${version[$name]}"); done
fetch_debian_sources "$work" --suite trixie "${sources[@]}"

# unpack NAME: NAME's source with Debian's patches applied (dpkg-source applies them), in
# $work/NAME. The version built and Debian's copyright file of that source go into the
# prefix's share/yelpcue-sources, for the installer's third-party notices.
unpack() {
    local name=$1 sources=$prefix/share/yelpcue-sources
    mkdir -p "$sources"
    echo "${version[$name]}" >"$sources/$name.version"
    if dpkg-source --no-check -x "$work/${name}_${version[$name]#*:}.dsc" "$work/$name" \
        >"$work/$name-unpack.log" 2>&1; then
        cp "$work/$name/debian/copyright" "$sources/$name.copyright"
        return 0
    fi
    # The archive no longer serves libebur128 1.2.6-1's Debian tarball. That revision patches
    # nothing (its changelog: a new upstream release, packaging changes only), so the upstream
    # tarball, which apt checked against the .dsc, is the whole source.
    if [ "$name" = libebur128 ] && [ -f "$work/libebur128_${version[libebur128]%-*}.orig.tar.gz" ]; then
        mkdir -p "$work/$name"
        tar -xzf "$work/libebur128_${version[libebur128]%-*}.orig.tar.gz" -C "$work/$name" --strip-components=1
        return 0
    fi
    cat "$work/$name-unpack.log" >&2
    return 1
}

host=x86_64-w64-mingw32
# The posix compilers, as for the program (cmake/mingw-w64.cmake); everything is looked up in
# the prefix only, never among the build machine's own libraries.
export CC=$host-gcc-posix CXX=$host-g++-posix PKG_CONFIG=pkg-config
export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig PKG_CONFIG_PATH=
export CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib"

# run NAME STEP COMMAND...: runs COMMAND into NAME's log, shows its end when it fails.
run() {
    local name=$1 step=$2
    shift 2
    "$@" >>"$work/$name.log" 2>&1 ||
        { tail -n 40 "$work/$name.log" >&2; echo "$name: $step failed" >&2; exit 1; }
}

# autotools_configure NAME [CONFIGURE OPTIONS...]: NAME configured to build in $work/NAME-build.
autotools_configure() {
    local name=$1
    shift
    mkdir -p "$work/$name-build"
    cd "$work/$name-build"
    run "$name" configure "$work/$name/configure" --build="$(dpkg-architecture -qDEB_BUILD_GNU_TYPE)" --host=$host \
        --prefix="$prefix" --enable-shared --disable-static "$@"
    cd "$project"
}

# autotools NAME [CONFIGURE OPTIONS...] [-- MAKE ARGUMENTS...]
autotools() {
    local name=$1 options=() make_arguments=()
    shift
    while [ $# -gt 0 ] && [ "$1" != -- ]; do options+=("$1"); shift; done
    [ $# -gt 0 ] && shift && make_arguments=("$@")
    autotools_configure "$name" "${options[@]}"
    run "$name" build make -C "$work/$name-build" -j"$(nproc)" "${make_arguments[@]}"
    run "$name" install make -C "$work/$name-build" "${make_arguments[@]}" install-strip
}

# cmake_build NAME [CMAKE OPTIONS...]
cmake_build() {
    local name=$1
    shift
    run "$name" configure cmake -S "$work/$name" -B "$work/$name-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$project/cmake/mingw-w64.cmake" -DYELPCUE_WINDOWS_LIBS="$prefix" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=ON "$@"
    run "$name" build cmake --build "$work/$name-build" --parallel "$(nproc)"
    run "$name" install cmake --install "$work/$name-build" --strip
}

echo "Building the sound libraries for Windows into $prefix" >&2
for name in "${!version[@]}"; do
    unpack "$name"
done
# libogg's CMake build names its DLL libogg.dll but its import library ogg.dll: autotools.
autotools libogg
autotools libvorbis --disable-docs --disable-examples
# Here and for opus: stack protection and fortified calls would need mingw's libssp DLL.
cmake_build flac -DBUILD_CXXLIBS=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOCS=OFF \
    -DBUILD_TESTING=OFF -DINSTALL_MANPAGES=OFF -DWITH_STACK_PROTECTOR=OFF -DWITH_FORTIFY_SOURCE=OFF
# opus's configure turns fortified calls on unless _FORTIFY_SOURCE is set already.
CFLAGS="-O2 -D_FORTIFY_SOURCE=0" autotools opus --disable-doc --disable-extra-programs \
    --disable-stack-protector
# libmpg123 alone: not the player, nor its output modules and its output and synthesis
# libraries.
autotools mpg123 --with-cpu=x86-64 --enable-modules=no -- bin_PROGRAMS= \
    lib_LTLIBRARIES=src/libmpg123/libmpg123.la \
    nodist_include_HEADERS=src/libmpg123/mpg123.h include_HEADERS=src/libmpg123/fmt123.h \
    pkgconfig_DATA=libmpg123.pc man_MANS=
# Debian's patches add lame.pc to the build files: regenerate them, as Debian's build does.
# libmp3lame.sym names lame_init_old, which 3.100 no longer defines; a Windows link, unlike
# an ELF one, fails on exporting a symbol that does not exist.
run lame autoreconf autoreconf -fi "$work/lame"
sed -i '/^lame_init_old$/d' "$work/lame/include/libmp3lame.sym"
autotools lame --disable-frontend
cmake_build libsndfile -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF \
    -DENABLE_CPACK=OFF -DENABLE_COMPATIBLE_LIBSNDFILE_NAME=ON
# libsndfile leaves out, with only a line in its summary, the formats whose codec libraries it
# did not find: it must have found them all.
summary=$(sed -n '/The following features have been enabled/,/have not been found/p' "$work/libsndfile.log")
for needed in ENABLE_EXTERNAL_LIBS ENABLE_MPEG Vorbis FLAC Opus mp3lame Mpg123; do
    sed '/features have been disabled/,$d' <<<"$summary" | grep -q "^ \* $needed\b" || {
        echo "$summary" >&2
        echo "libsndfile: built without $needed" >&2
        exit 1
    }
done
# libsoxr writes its pkg-config file everywhere but on Windows, where MSVC has no use for it;
# mingw's pkg-config has.
sed -i 's/^elseif (NOT WIN32)$/else ()/' "$work/libsoxr/src/CMakeLists.txt"
# OpenMP would add mingw's libgomp DLL; one thread resamples short cues quickly enough.
cmake_build libsoxr -DWITH_OPENMP=OFF -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF \
    -DWITH_LSR_BINDINGS=OFF
cmake_build libebur128 -DBUILD_STATIC_LIBS=OFF
# espeak-ng's library alone, for synchronous rendering into memory: no audio output, no
# programs, and not its data, which it compiles by running its own program (Debian's
# espeak-ng-data is the data). Its out-of-tree build misses its Windows headers, and libtool
# makes a DLL only when told that nothing stays undefined.
run espeak-ng autogen env -C "$work/espeak-ng" ./autogen.sh
autotools_configure espeak-ng --without-async --without-pcaudiolib --without-sonic \
    --without-speechplayer --without-mbrola CPPFLAGS="$CPPFLAGS -I$work/espeak-ng/src/include/compat"
run espeak-ng build make -C "$work/espeak-ng-build" -j"$(nproc)" LDFLAGS="$LDFLAGS -no-undefined" \
    src/libespeak-ng.la espeak-ng.pc
run espeak-ng install make -C "$work/espeak-ng-build" INSTALL_STRIP_FLAG=-s install-libLTLIBRARIES \
    install-espeak_ng_includeHEADERS install-pkgconfigDATA

# What linking needs stays: headers, import libraries, pkg-config and CMake files.
rm -rf "$prefix/doc" "$prefix/share" "$prefix"/lib/*.la
echo "$recipe" >"$prefix/yelpcue-sound-libs"
echo "$prefix"
