; Installer of the Zorbel Screensaver, built by scripts/package:
;   makensis -DSCR32=<32-bit zorbel.scr> -DSCR64=<64-bit zorbel.scr>
;            -DDATA_FILES=<nsh> -DDATA_REMOVE=<nsh>
;            -DICON=<zorbel.ico> -DOUTFILE=<setup.exe> installer/zorbel.nsi
; The saver of the system's own width goes where the display settings look
; for screen savers (the system folder), the data into the folder the saver
; reads by default, and that folder is recorded for every user.

; TARGET amd64-unicode makes a 64-bit installer of the same script (the
; tests run it where 32-bit programs cannot run); the one that ships is the
; 32-bit installer, which runs on every Windows.
!ifdef TARGET
  Target ${TARGET}
!else
  Unicode true
!endif
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
  ; settings list screen savers; there the 64-bit saver belongs.
  ${DisableX64FSRedirection}
  SetOutPath "$SYSDIR"
  ${If} ${RunningX64}
    File "/oname=zorbel.scr" "${SCR64}"
  ${Else}
    File "/oname=zorbel.scr" "${SCR32}"
  ${EndIf}
  ${EnableX64FSRedirection}

  SetOutPath "$INSTDIR"
  !include "${DATA_FILES}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The data folder for every user who has not chosen one, in both
  ; registry views, so that either saver width finds it.
  ${If} ${RunningX64}
    SetRegView 64
    WriteRegStr HKLM "${PRODUCT_KEY}" "Directory" "$INSTDIR"
    SetRegView 32
  ${EndIf}
  WriteRegStr HKLM "${PRODUCT_KEY}" "Directory" "$INSTDIR"

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
  ${If} ${RunningX64}
    SetRegView 64
    Call un.ForgetFolder
    SetRegView 32
  ${EndIf}
  Call un.ForgetFolder
  ; Earlier versions named a non-default folder in the installing user's
  ; own key.
  ReadRegStr $0 HKCU "${PRODUCT_KEY}" "Directory"
  StrCmp $0 "$INSTDIR" 0 +2
    DeleteRegValue HKCU "${PRODUCT_KEY}" "Directory"
SectionEnd

Function un.ForgetFolder
  DeleteRegValue HKLM "${PRODUCT_KEY}" "Directory"
  DeleteRegKey /ifempty HKLM "${PRODUCT_KEY}"
  DeleteRegKey /ifempty HKLM "Software\Quenwick"
FunctionEnd
