#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# yelpcue.exe itself under Wine, in the Wine prefix of scripts/test-windows.sh (its registry
# is thrown away afterwards; on a real Windows this would replace the player's settings):
#   WinProgramTest.sh WINE YELPCUE_EXE WIN_DESKTOP_EXE
# With its settings in the registry and a console log that grows, a matching line writes the
# play script and the key reaches the window that has the focus; a second start hands over
# to the first and ends.
# Where Wine differs from Windows: Wine lets any program take the foreground, so that the
# first instance coming forward proves the hand-over, not the foreground rights that a real
# Windows grants it; and its display-less driver draws nothing.
set -u
wine=$1
yelpcue=$2
desktop=$3
scratch=$(mktemp -d)
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

# How long to wait for what must happen, as tests/support/Patience.h: each wait ends the
# moment it happens; the limit is far beyond a quiet machine's seconds, so that a busy
# machine only makes the test slower.
patience=120
# waitfor SECONDS COMMAND...: until the command succeeds.
waitfor() {
    local tenths=$(($1 * 10))
    shift
    while ! "$@"; do
        tenths=$((tenths - 1))
        [ "$tenths" -gt 0 ] || return 1
        sleep 0.1
    done
}

# The same file seen from Windows.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

quake=$scratch/quake
mkdir -p "$quake"/{id1,fortress,qw,ctf}
windows_quake=$(windows_path "$quake")
log=$quake/fortress/qconsole.log
printf 'Bob: SHOTGUN, written before the program started\r\n' >"$log"

# The settings as the configure window stores them, under the key of the Windows versions.
key='HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Bellcast'
reg_value() { printf '"%s"="%s"\r\n' "$1" "${2//\\/\\\\}"; }
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[-%s]\r\n\r\n' "$key"
    printf '[%s\\Hornwise Params]\r\n' "$key"
    reg_value reg_version 2
    reg_value Quake_Dir "$windows_quake"
    reg_value Quake_Id1_sound "$windows_quake\\id1\\sound"
    reg_value TF_Dir "$windows_quake\\fortress"
    reg_value DM_Dir "$windows_quake\\qw"
    reg_value CTF_Dir "$windows_quake\\ctf"
    reg_value Active_Mod_Dir "$windows_quake\\fortress"
    reg_value Selected_Key F2
    reg_value QconsoleDel False
    printf '\r\n[%s\\Application_params]\r\n' "$key"
    reg_value RecordCount 1
    printf '\r\n[%s\\1]\r\n' "$key"
    reg_value t_name Shotgun
    reg_value t_keyword SHOTGUN
    reg_value t_file shotgun.wav
} >"$scratch/settings.reg"
"$wine" reg import "$(windows_path "$scratch/settings.reg")" >/dev/null 2>&1 ||
    fail "the settings could not be imported"

# A session started from the main window pushes the key into the window that has the focus
# during the match, once: the line written before the start is not processed.
"$wine" "$yelpcue" >"$scratch/first.out" 2>&1 &
pids+=($!)
# Start has the focus in the main window: Space presses it.
"$wine" "$desktop" press Yelpcue 20 >"$scratch/press.out" 2>&1 ||
    fail "the main window did not show: $(cat "$scratch/press.out" "$scratch/first.out")"
"$wine" "$desktop" record 2 >"$scratch/keys" 2>&1 &
recorder=$!
pids+=($recorder)
waitfor "$patience" grep -q '^ready' "$scratch/keys" || fail "the game's window did not take the focus: $(cat "$scratch/keys")"
printf '(Al): SHOTGUN please\r\n' >>"$log"
play_script() { find "$quake/id1" -maxdepth 1 -iname bellcast.cfg -exec cat {} + 2>/dev/null; }
# Read again at every look: the script is written after the line, at the program's next tick.
plays_shotgun() { test "$(play_script)" = $'play shotgun.wav\r'; }
waitfor "$patience" plays_shotgun || fail "the play script holds '$(play_script)'"
wait "$recorder"
keys=$(grep -v '^ready' "$scratch/keys" | tr -d '\r')
[ "$keys" = $'down 71\nup 71' ] || fail "keys that reached the focused window: '$keys'"

# Another program has the focus when the player starts Yelpcue again: the second start says
# that it hands over, the first instance's main window comes forward, and the second ends.
"$wine" "$desktop" record 1 >"$scratch/elsewhere" 2>&1 &
pids+=($!)
waitfor "$patience" grep -q '^ready' "$scratch/elsewhere" || fail "another window did not take the focus"
"$wine" "$yelpcue" >"$scratch/second.out" 2>&1 &
second=$!
pids+=($second)
"$wine" "$desktop" press "...duplicate instance" 0d >"$scratch/press.out" 2>&1 ||
    fail "the second start did not say that it hands over: $(cat "$scratch/press.out")"
waitfor "$patience" eval '! kill -0 $second 2>/dev/null' || fail "the second start did not end"
wait "$second" || fail "the second start ended with status $?: $(cat "$scratch/second.out")"
forward() { test "$("$wine" "$desktop" foreground | tr -d '\r')" = Yelpcue; }
waitfor "$patience" forward || fail "the first instance's main window did not come forward"

[ "$failures" -eq 0 ]
