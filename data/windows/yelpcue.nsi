; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer: makensis -DVERSION=.. -DSTAGEDIR=.. -DFILELIST=.. -DOUTFILE=.. yelpcue.nsi
; (scripts/package-windows.sh). STAGEDIR holds the program as installed; FILELIST names its
; files and folders for the uninstaller, which removes those and nothing else: the player's
; settings (HKCU\Software\VB and VBA Program Settings\Bellcast) and trigger files stay.
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
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\yelpcue.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Yelpcue"
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
