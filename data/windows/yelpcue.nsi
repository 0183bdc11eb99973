; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer: makensis -DVERSION=.. -DHOMEPAGE=.. -DSTAGEDIR=.. -DFILELIST=..
; -DSIZE_KB=.. -DOUTFILE=.. yelpcue.nsi (scripts/package-windows.sh). STAGEDIR holds the
; program as installed, its licence (LICENSE.txt) and third-party notices included; FILELIST
; names its files and folders for the uninstaller, which removes those and nothing else: the
; player's settings (HKCU\Software\VB and VBA Program Settings\Bellcast) and trigger files stay.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Yelpcue"

Name "Yelpcue ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Yelpcue"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

; The installer's own Properties say what it installs.
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Yelpcue"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Yelpcue ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "Yelpcue developers"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Yelpcue developers, GPL-3.0-or-later"

; The licence is shown before anything is installed (a silent install shows no page). It
; grants rights rather than asking for consent, so its button goes on instead of agreeing.
LicenseData "${STAGEDIR}\LICENSE.txt"
LicenseText "Yelpcue is free software: you may use, change and share it under this licence." "&Next >"

Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Yelpcue"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File /r "${STAGEDIR}/*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Yelpcue.lnk" "$INSTDIR\yelpcue.exe"
    CreateShortcut "$SMPROGRAMS\Yelpcue read-me.lnk" "$INSTDIR\readme.txt"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Yelpcue"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\yelpcue.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Yelpcue developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "HelpLink" "${HOMEPAGE}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\Yelpcue.lnk"
    Delete "$SMPROGRAMS\Yelpcue read-me.lnk"
    !include "${FILELIST}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
