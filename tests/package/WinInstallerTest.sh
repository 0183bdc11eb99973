#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer as a player runs it, silently, under Wine in the prefix of
# scripts/test-windows.sh: the files, the Start-menu entry, the uninstaller registered with
# Windows, the licence and a notice for every DLL, the version the program says it is, the
# installed program answering on its own DLLs, and an uninstall that removes all of it but
# leaves the player's settings and files alone.
#   WinInstallerTest.sh WINE SETUP_EXE VERSION
set -uo pipefail
wine=$1
setup=$2
version=$3
if [ ! -f "$setup" ]; then
    echo "FAIL: no $setup (scripts/package-windows.sh builds it)"
    exit 1
fi
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
drive=${WINEPREFIX:?the Wine prefix of scripts/test-windows.sh}/drive_c
folder="$drive/Program Files/Yelpcue"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Yelpcue'
settings_key='HKCU\Software\VB and VBA Program Settings\Bellcast\Hornwise Params'
# Nothing found through the test script's WINEPATH: the program has to run on what the
# installer brought.
run() { env -u WINEPATH "$wine" "$@" 2>/dev/null | tr -d '\r'; }

run "$setup" /S || fail "the installer ended with status $?"
for file in yelpcue.exe readme.txt LICENSE.txt licenses/qt6-base.txt uninstall.exe Qt6Core.dll \
    Qt6Gui.dll Qt6Widgets.dll Qt6Network.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll \
    libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    [ -f "$folder/$file" ] || fail "$file is not installed"
done
[ -f "$folder/espeak-ng-data/en_dict" ] || fail "espeak-ng's data is not installed beside the program"
grep -q $'\r$' "$folder/readme.txt" || fail "the read-me lacks Windows line ends"
[ -f "$menu/Yelpcue.lnk" ] || fail "no Start-menu entry"
run reg query "$uninstall_key" /v UninstallString | grep -qF 'Program Files\Yelpcue\uninstall.exe' ||
    fail "no uninstaller registered with Windows"

# Every DLL that an installed program or plugin imports is installed or is Windows's own:
# in its system folder, or one of the API sets (api-ms-win-*) that Windows resolves itself.
while IFS= read -r -d '' binary; do
    for dll in $(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p'); do
        [ -f "$folder/$dll" ] || [[ ${dll,,} == api-ms-win-* ]] ||
            [ -n "$(find "$drive/windows/system32" -maxdepth 1 -iname "$dll")" ] ||
            fail "${binary#"$folder/"} imports $dll, which is not installed"
    done
done < <(find "$folder" \( -name '*.exe' -o -name '*.dll' \) -print0)
# Each DLL is named in a notice; Qt's names the version of Debian's Qt source it is built from.
while IFS= read -r dll; do
    grep -qF "${dll//\//\\}" "$folder"/licenses/*.txt || fail "no notice names $dll"
done < <(cd "$folder" && find . -iname '*.dll' | sed 's|^\./||')
grep -qF "qt6-base $(dpkg-query -W -f='${source:Version}' qt6-base-dev)" "$folder/licenses/qt6-base.txt" ||
    fail "Qt's notice does not name Debian's qt6-base source version"
# The version information that Explorer shows, read from the installed file, and the Apps list's.
resource=$(x86_64-w64-mingw32-windres -i "$folder/yelpcue.exe" -O rc 2>&1)
for value in "FILEVERSION ${version//./, }, 0" "\"ProductVersion\", \"$version\"" \
    "\"ProductName\", \"Yelpcue\""; do
    grep -qF "$value" <<<"$resource" || fail "yelpcue.exe's version information lacks $value"
done
for value in "DisplayVersion.*$version" "DisplayIcon.*yelpcue.exe" EstimatedSize "HelpLink.*https://"; do
    run reg query "$uninstall_key" | grep -q "$value" || fail "the Apps list's entry lacks $value"
done
[ "$(run "$folder/yelpcue.exe" --version | head -n 1)" = "Yelpcue $version" ] ||
    fail "the installed yelpcue.exe --version does not answer 'Yelpcue $version'"

# The player's settings and a trigger file exported into the program's folder stay.
run reg add "$settings_key" /v Selected_Key /d F7 /f >/dev/null
printf '"Shotgun","SHOTGUN","shotgun.wav"\r\n' >"$folder/my triggers.txt"
# The uninstaller copies itself away, starts the copy and returns at once: its work is
# awaited for as long as any test waits (tests/support/Patience.h), 600 looks of 0.2 s.
run "$folder/uninstall.exe" /S || fail "the uninstaller ended with status $?"
for _ in $(seq 600); do
    [ "$(ls -A "$folder")" = "my triggers.txt" ] && break
    sleep 0.2
done
left=$(cd "$folder" && find . -mindepth 1 ! -name 'my triggers.txt')
[ -z "$left" ] || fail "the uninstaller left $left"
[ -f "$folder/my triggers.txt" ] || fail "the uninstaller removed the player's trigger file"
[ -e "$menu/Yelpcue.lnk" ] && fail "the Start-menu entry is left"
run reg query "$uninstall_key" >/dev/null && fail "the uninstaller is still registered"
run reg query "$settings_key" /v Selected_Key | grep -q 'F7' || fail "the player's settings are gone"

[ "$failures" -eq 0 ]
