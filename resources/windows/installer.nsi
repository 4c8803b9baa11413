; The Windows installer of Kestrelwick, built with NSIS (makensis) by
; scripts/package-windows.sh, which defines VERSION, SOURCE (the folder with
; kestrelwick.exe, the README and the licences) and OUTFILE.
;
; It installs for the current user (the default, no administrator rights
; needed) or for all users (/ALLUSERS on the command line, or the choice on
; its first page), adds a Start-menu entry, and registers an uninstaller with
; Windows' list of installed programs. /S installs without a question.

; A 64-bit installer for a 64-bit program.
Target amd64-unicode
!define APPNAME "Kestrelwick"
!define EXENAME "kestrelwick.exe"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrelwick"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${APPNAME}"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_MUI
!include MultiUser.nsh
!include MUI2.nsh
!include x64.nsh

Name "${APPNAME} ${VERSION}"
OutFile "${OUTFILE}"
SetCompressor /SOLID lzma
BrandingText "${APPNAME} ${VERSION}"
!define MUI_ICON "${SOURCE}\kestrelwick.ico"
!define MUI_UNICON "${SOURCE}\kestrelwick.ico"

!insertmacro MUI_PAGE_LICENSE "${SOURCE}\LICENSE.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "1.0.0.0"
VIAddVersionKey "ProductName" "${APPNAME}"
VIAddVersionKey "FileDescription" "${APPNAME} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "The Kestrelwick developers"

Function .onInit
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Kestrelwick"
    SetOutPath "$INSTDIR"
    File "${SOURCE}\${EXENAME}"
    File "${SOURCE}\README.txt"
    File "${SOURCE}\LICENSE.txt"
    File "${SOURCE}\Qt-LGPL-3.0.txt"
    File "${SOURCE}\Qt-GPL-3.0.txt"
    File "${SOURCE}\Qt-SOURCE.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "$SMPROGRAMS\${APPNAME}.lnk" "$INSTDIR\${EXENAME}"

    ; Windows' list of installed programs, for this user or for all.
    WriteRegStr SHCTX "${UNINSTKEY}" "DisplayName" "${APPNAME}"
    WriteRegStr SHCTX "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\${EXENAME}"
    WriteRegStr SHCTX "${UNINSTKEY}" "Publisher" "The Kestrelwick developers"
    WriteRegStr SHCTX "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTKEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTKEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${APPNAME}.lnk"
    Delete "$INSTDIR\${EXENAME}"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\Qt-LGPL-3.0.txt"
    Delete "$INSTDIR\Qt-GPL-3.0.txt"
    Delete "$INSTDIR\Qt-SOURCE.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTKEY}"
SectionEnd
