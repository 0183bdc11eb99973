#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Photographs the real yelpcue.exe under Wine, in a Wine desktop of its own on a private X
# server, into docs/screenshots/main-window-wine.png: configured, after a session answered
# a few calls. Uses the program as the installer gathers it (scripts/package-windows.sh):
#   scripts/screenshot-windows.sh [BUILD_FOLDER]   (build/windows-package when none is given)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

# fonts-wine: the fonts that Wine's window frames and dialogs use.
ensure_packages "${WINDOWS_PACKAGES[@]}" xvfb xauth xdotool x11-apps netpbm fonts-wine
build=${1:-build/windows-package}
scripts/package-windows.sh "$build" >/dev/null
program=$build/installer/stage/yelpcue.exe

scratch=$(mktemp -d)
WINEPREFIX=$scratch/prefix
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
cleanup() {
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    /usr/lib/wine/wineserver -w 2>/dev/null || true
    stop_xvfb
    rm -rf "$scratch"
}
trap cleanup EXIT
start_xvfb
"$wine" wineboot --init >/dev/null 2>&1
# Debian's Wine does not look for its own fonts where fonts-wine puts them.
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

# A Quake folder and the settings that its configuration would store.
quake=$scratch/quake
mkdir -p "$quake"/{id1/sound,fortress,qw,ctf}
log=$quake/fortress/qconsole.log
: >"$log"
windows_quake="Z:${quake//\//\\}"
key='HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Bellcast'
value() { printf '"%s"="%s"\r\n' "$1" "${2//\\/\\\\}"; }
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[%s\\Hornwise Params]\r\n' "$key"
    value reg_version 2
    value Quake_Dir "$windows_quake"
    value Quake_Id1_sound "$windows_quake\\id1\\sound"
    value TF_Dir "$windows_quake\\fortress"
    value DM_Dir "$windows_quake\\qw"
    value CTF_Dir "$windows_quake\\ctf"
    value Active_Mod_Dir "$windows_quake\\fortress"
    value Selected_Key F7
    value QconsoleDel False
    printf '\r\n[%s\\Application_params]\r\n' "$key"
    value RecordCount 2
    printf '\r\n[%s\\1]\r\n' "$key"
    value t_name Shotgun
    value t_keyword SHOTGUN
    value t_file shotgun.wav
    printf '\r\n[%s\\2]\r\n' "$key"
    value t_name Quad
    value t_keyword "GET QUAD"
    value t_file quad.wav
} >"$scratch/settings.reg"
"$wine" reg import "Z:${scratch//\//\\}\\settings.reg" >/dev/null 2>&1

# A Windows desktop in one X window, with its own window frames and notification area.
"$wine" explorer /desktop=yelpcue,760x420 "$program" >/dev/null 2>&1 &
desktop=
for _ in $(seq 100); do
    desktop=$(xdotool search --name '^yelpcue - Wine desktop$' 2>/dev/null | head -n1) && [ -n "$desktop" ] && break
    sleep 0.2
done
[ -n "$desktop" ] || { echo "the Wine desktop did not open" >&2; exit 1; }
sleep 4
# A click on the main window's title bar makes it the active window, where Start has the
# focus: Space starts a session, and the window goes to the notification area.
xdotool mousemove --window "$desktop" 200 10 click 1 sleep 1 key space
sleep 2
printf '(Bob): SHOTGUN at the ramp\r\n(Al): get the quad, quick\r\n' >>"$log"
sleep 3
# A second start brings it back; its notice goes with Enter.
"$wine" explorer /desktop=yelpcue "$program" >/dev/null 2>&1 &
sleep 4
xdotool key Return
sleep 3
xwd -silent -id "$desktop" | xwdtopnm 2>/dev/null | pnmtopng >docs/screenshots/main-window-wine.png
echo docs/screenshots/main-window-wine.png
