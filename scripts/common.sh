# Shared by run.sh and test.sh: installing Debian packages and starting a private X server.

# Packages to build the program and its tests.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev
    libx11-dev libxtst-dev libgl1-mesa-dev
    libgtest-dev libgmock-dev librsvg2-bin)
# Packages the headless tests use. The Quake engines are the game itself, for the tests
# that play against it (16 packages, 6.6 MB to download, 17 MB installed); OpenArena comes
# with its whole game data (13 more packages, 420 MB to download, 430 MB installed).
TEST_PACKAGES=(xvfb xauth x11-xkb-utils trayer openbox darkplaces quakespasm ezquake openarena)
# Packages to build the Debian package (dpkg-shlibdeps, and file for CPack) and to check it.
PACKAGE_PACKAGES=(dpkg-dev file desktop-file-utils appstream)

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
    if ! read -r -t 20 number <"$fifo"; then
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
