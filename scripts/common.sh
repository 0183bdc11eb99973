# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by run.sh and test.sh: installing Debian packages and starting a private X server.

# Packages to build the program and its tests.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev
    libx11-dev libxtst-dev libgl1-mesa-dev
    libgtest-dev libgmock-dev librsvg2-bin
    libsndfile1-dev libsoxr-dev libebur128-dev libespeak-ng-dev)
# Packages the headless tests use. The Quake engines are the game itself, for the tests
# that play against it (16 packages, 6.6 MB to download, 17 MB installed); OpenArena comes
# with its whole game data (13 more packages, 420 MB to download, 430 MB installed).
TEST_PACKAGES=(xvfb xauth x11-xkb-utils trayer openbox darkplaces quakespasm ezquake openarena)
# Packages to build the Debian package (dpkg-shlibdeps, and file for CPack; help2man for its
# manual page) and to check it (lintian, man-db).
PACKAGE_PACKAGES=(dpkg-dev file help2man desktop-file-utils appstream lintian man-db)
# Packages to build the sound libraries for Windows from Debian's sources
# (scripts/windows-sound-libs.sh); the Linux libraries give the versions to build (all but
# espeak-ng's, which that script names).
WINDOWS_LIBRARY_PACKAGES=(cmake ninja-build make dpkg-dev autoconf automake libtool pkg-config
    python3 g++-mingw-w64-x86-64-posix libsndfile1 libsoxr0 libebur128-1)
# Packages to build for Windows (GoogleTest from libgtest-dev's sources), run it under Wine
# and make its installer; espeak-ng's data goes into the installer as Debian ships it.
WINDOWS_PACKAGES=(cmake ninja-build libgtest-dev g++-mingw-w64-x86-64-posix wine64 nsis
    librsvg2-bin fonts-dejavu-core espeak-ng-data "${WINDOWS_LIBRARY_PACKAGES[@]}")

# Installs the packages that are not installed yet (with sudo when not root).
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# Downloads Debian source packages into folder $1 through a deb-src list that only this call
# knows: the machine's own lists are never changed.
#   fetch_debian_sources FOLDER [--suite SUITE]... NAME=VERSION...
# The source suites are the machine's own binary suites, and each SUITE of Debian's main
# archive. A package whose files the archive does not all serve is left as far as it came,
# with a warning; unpacking it then says what is missing.
fetch_debian_sources() {
    local work=$1
    shift
    local apt_dir=$work/apt
    local list
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/sources.list.d"
    while [ "${1:-}" = --suite ]; do
        echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
            "http://deb.debian.org/debian $2 main" >>"$apt_dir/sources.list"
        shift 2
    done
    for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$list" ] && sed -n 's/^deb /deb-src /p' "$list" >>"$apt_dir/sources.list"
    done
    for list in /etc/apt/sources.list.d/*.sources; do
        [ -f "$list" ] && sed 's/^Types: *deb$/Types: deb-src/' "$list" >"$apt_dir/sources.list.d/$(basename "$list")"
    done
    touch "$apt_dir/sources.list"
    local apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list"
        -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
        -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
        -o "Debug::NoLocking=1" -o "APT::Sandbox::User=root")
    apt-get "${apt_options[@]}" update -qq
    local package
    for package in "$@"; do
        (cd "$work" && apt-get "${apt_options[@]}" source --download-only -qq "$package") ||
            echo "Debian's archive did not serve all of $package's source" >&2
    done
}

# Starts Xvfb on a display number of its own choosing and exports DISPLAY.
# Never a fixed number: other programs on the machine may run their own.
# -noreset: by default the server resets whenever its last client leaves, which happens
# between any two tests, and refuses connections while it does.
start_xvfb() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    local number
    # Awaited as long as the tests await anything (tests/support/Patience.h): a machine busy
    # with other work may take its time.
    if ! read -r -t 120 number <"$fifo"; then
        rm -f "$fifo"
        echo "Xvfb did not start" >&2
        return 1
    fi
    rm -f "$fifo"
    export DISPLAY=":$number"
}

stop_xvfb() {
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}

# Builds or finds in their cache what a Windows build links against: Qt (scripts/windows-qt.sh)
# and the sound libraries (scripts/windows-sound-libs.sh). Sets QT_PREFIX and SOUND_LIBS_PREFIX.
windows_prefixes() {
    ensure_packages "${WINDOWS_PACKAGES[@]}"
    QT_PREFIX=$(scripts/windows-qt.sh)
    SOUND_LIBS_PREFIX=$(scripts/windows-sound-libs.sh)
}

# Configures a build for 64-bit Windows in folder $1 (Release; further arguments go to CMake)
# against the prefixes of windows_prefixes. Qt's own toolchain file finds that Qt and the
# host's build tools; it loads the project's, which points pkg-config at the sound libraries.
configure_windows_build() {
    local build=$1
    shift
    windows_prefixes
    # pkg-config is asked once per build folder: a folder configured against another prefix
    # of sound libraries (another version) starts its configuration afresh.
    local fresh=() configured
    configured=$(sed -n 's/^YELPCUE_WINDOWS_LIBS:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
    [ -n "$configured" ] && [ "$configured" != "$SOUND_LIBS_PREFIX" ] && fresh=(--fresh)
    cmake "${fresh[@]}" -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$QT_PREFIX/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
        -DYELPCUE_WINDOWS_LIBS="$SOUND_LIBS_PREFIX" "$@" >/dev/null
}

# The folder holding espeak-ng-data as Debian's package installs it, where the Linux library
# reads it; the Windows program reads the same data from beside itself.
espeak_data_parent() {
    local data
    data=$(dpkg -L espeak-ng-data | grep -x '/usr/lib/[^/]*/espeak-ng-data') || return 1
    dirname "$data"
}

# The folders of the compiler's own DLLs (libstdc++, libgcc, winpthread) for Windows.
mingw_runtime_dirs() {
    local dll
    for dll in libstdc++-6.dll libwinpthread-1.dll; do
        dirname "$(realpath "$(x86_64-w64-mingw32-g++-posix -print-file-name="$dll")")"
    done
}
