; Installer of Брумелка, built by scripts/dist.sh with Debian's makensis:
;
;   makensis -INPUTCHARSET UTF8 -WX -DVERSION=0.90 -DARCH=x86 -DSTAGE=<folder> -DICON=<file.ico> -DOUTFILE=<setup.exe> brumelka.nsi
;
; STAGE holds what gets installed: brumelka.exe, brumelka-report.exe and readme.txt.
; ARCH is x86 for the shipped program; amd64 wraps the x86-64 build,
; which lets a machine without 32-bit Wine try the installer out.
;
; The program keeps its users file and its log relative to the folder it is started in, and
; Program Files is not writable for ordinary users. So the Start-menu shortcut starts it in a
; data folder of the installing user, %APPDATA%\Brumelka, which the installer creates.
; The uninstaller leaves that folder alone unless it is empty: it holds the users' records.

Unicode true

!ifndef VERSION | ARCH | STAGE | ICON | OUTFILE
  !error "VERSION, ARCH, STAGE, ICON and OUTFILE must be defined (see scripts/dist.sh)"
!endif

!define PRODUCT "Брумелка"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brumelka"

Target "${ARCH}-unicode"
Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
!if "${ARCH}" == "amd64"
  InstallDir "$PROGRAMFILES64\Brumelka"
!else
  InstallDir "$PROGRAMFILES\Brumelka"
!endif
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ManifestDPIAware true

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION}: встановлення"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "© 2026 Майстерня Брумелки"

!include "MUI2.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartFromDataFolder
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\readme.txt"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one used when Windows speaks neither.
!insertmacro MUI_LANGUAGE "Ukrainian"
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  !if "${ARCH}" == "amd64"
    SetRegView 64
  !endif
  SetShellVarContext current
FunctionEnd

Function un.onInit
  !if "${ARCH}" == "amd64"
    SetRegView 64
  !endif
  SetShellVarContext current
FunctionEnd

; The finish page's "run" box starts the program as the shortcut does.
Function StartFromDataFolder
  SetOutPath "$APPDATA\Brumelka"
  Exec '"$INSTDIR\brumelka.exe"'
FunctionEnd

Section "${PRODUCT}"
  SetOutPath "$INSTDIR"
  File "${STAGE}/brumelka.exe"
  File "${STAGE}/readme.txt"
  File "${STAGE}/brumelka-report.exe"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The shortcut's working folder is the output path current when it is made.
  CreateDirectory "$APPDATA\Brumelka"
  SetOutPath "$APPDATA\Brumelka"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\brumelka.exe" "" "$INSTDIR\brumelka.exe" 0
  SetOutPath "$INSTDIR"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brumelka.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\brumelka.exe"
  Delete "$INSTDIR\brumelka-report.exe"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$APPDATA\Brumelka"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
