#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The command line is answered with no display and without writing the settings:
# CommandLineTest.sh PROGRAM VERSION
set -u
program=$1
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
home=$scratch/home
mkdir -m 700 -p "$home/.config" "$home/runtime"
failures=0

# check STATUS STREAM TEXT ARGUMENTS...: the exit status, and a text the stream holds.
check() {
    local expected=$1 stream=$2 text=$3
    shift 3
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$home" XDG_CONFIG_HOME="$home/.config" \
        XDG_RUNTIME_DIR="$home/runtime" "$program" "$@" >"$scratch/stdout" 2>"$scratch/stderr"
    local status=$?
    if [ "$status" -ne "$expected" ] || ! grep -qF -- "$text" "$scratch/$stream"; then
        echo "FAIL: yelpcue $*: status $status (expected $expected), $stream without '$text':"
        cat "$scratch/stdout" "$scratch/stderr"
        failures=$((failures + 1))
    fi
}

check 0 stdout "Yelpcue $version" --version
check 0 stdout "License GPL-3.0-or-later: GNU GPL version 3 or later" --version
check 0 stdout "--version" --help
check 2 stderr "Unknown option 'bogus'" --bogus
check 2 stderr "Unexpected argument 'extra'" extra
# Qt's own options are left to Qt: a session manager restores the program with -session.
check 0 stdout "Yelpcue $version" -session restored --version

written=$(find "$home" -type f)
[ -z "$written" ] || { echo "FAIL: the command line wrote $written"; failures=$((failures + 1)); }

[ "$failures" -eq 0 ]
