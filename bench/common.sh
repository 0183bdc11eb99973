# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the benchmark scripts: the Release build, and a configured Yelpcue to measure.
# Sourced after scripts/common.sh, from the root of the checkout.

BENCH_BUILD=build/bench

build_benchmarks() {
    ensure_packages "${BUILD_PACKAGES[@]}"
    cmake -S . -B "$BENCH_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DYELPCUE_TESTS=OFF \
        -DYELPCUE_BENCH=ON >/dev/null
    cmake --build "$BENCH_BUILD" -j2 >/dev/null
}

# Settings of a configured Yelpcue, so that it starts without asking to be configured:
# the game in QUAKE, the console log in its id1 directory, one trigger for KEYWORD, and
# KEY pushed on a match. Written into the configuration directory CONFIG.
write_yelpcue_settings() {
    local quake=$1 config=$2 keyword=$3 key=$4
    mkdir -p "$config" "$quake/id1/sound"
    cat >"$config/Bellcast.ini" <<INI
[Hornwise%20Params]
reg_version=2
Quake_Dir=$quake
Quake_Id1_sound=$quake/id1/sound
TF_Dir=$quake/fortress
DM_Dir=$quake/qw
CTF_Dir=$quake/ctf
Active_Mod_Dir=$quake/id1
Selected_Key=$key
QconsoleDel=False
[Application_params]
RecordCount=1
[1]
t_name=Cue
t_keyword=$keyword
t_file=cue.wav
INI
}

# The environment of a Yelpcue of its own under HOME: settings, runtime directory (which
# holds the single-instance lock) and the X server.
yelpcue_environment() {
    local home=$1
    mkdir -p "$home/runtime"
    chmod 700 "$home/runtime"
    echo "XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime QT_QPA_PLATFORM=xcb"
}

# A scratch HOME for the measured program and a private X server, both gone at exit.
start_private_desktop() {
    home=$(mktemp -d)
    trap 'stop_xvfb; rm -rf "$home"' EXIT
    start_xvfb
}
