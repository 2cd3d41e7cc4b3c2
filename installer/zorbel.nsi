; Installer of the Zorbel Screensaver, built by scripts/package:
;   makensis -DSCR=<32-bit zorbel.scr> -DDATA_FILES=<nsh> -DDATA_REMOVE=<nsh>
;            -DICON=<zorbel.ico> -DOUTFILE=<setup.exe> installer/zorbel.nsi
; The saver goes where the display settings look for screen savers (the
; system folder), the data into the folder the saver reads by default.

Unicode true
!include "MUI2.nsh"
!include "x64.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Zorbel Screensaver"
!define PUBLISHER "Quenwick"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZorbelScreensaver"
!define PRODUCT_KEY "Software\Quenwick\Zorbel Screensaver"
!ifndef VERSION
  !define VERSION "2.20.03"
!endif

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; "Program Files" also on 64-bit Windows: the saver's default data folder.
InstallDir "$PROGRAMFILES64\Quenwick\Zorbel Screensaver"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Open the screen saver settings"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenSaverSettings

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${PUBLISHER}"

Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section "Screen saver" SecSaver
  SectionIn RO
  ; The real system folder also on 64-bit Windows, where the display
  ; settings list screen savers.
  ${DisableX64FSRedirection}
  SetOutPath "$SYSDIR"
  File "/oname=zorbel.scr" "${SCR}"
  ${EnableX64FSRedirection}

  SetOutPath "$INSTDIR"
  !include "${DATA_FILES}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; A folder other than the default is named in the registry for this user.
  StrCmp "$INSTDIR" "$PROGRAMFILES64\Quenwick\Zorbel Screensaver" +2
    WriteRegStr HKCU "${PRODUCT_KEY}" "Directory" "$INSTDIR"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function OpenSaverSettings
  ExecShell "" "control.exe" "desk.cpl,,@screensaver"
FunctionEnd

Section "Uninstall"
  ${DisableX64FSRedirection}
  Delete "$SYSDIR\zorbel.scr"
  ${EnableX64FSRedirection}

  ; Only what was installed and the saver's log; screenshots and the
  ; user's own files stay, and then the folder does too.
  !include "${DATA_REMOVE}"
  Delete "$INSTDIR\error.log"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$INSTDIR\.."

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegValue HKCU "${PRODUCT_KEY}" "Directory"
SectionEnd
