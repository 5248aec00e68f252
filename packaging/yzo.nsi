; yzo's Windows installer, made by scripts/build-windows.sh with NSIS:
;   makensis -DVERSION=0.1.0 -DSTAGE=<installed tree> -DOUTFILE=<setup.exe> yzo.nsi
; It puts the programs (bin), the default lists, help files and NVDA app
; module (share\yzo) and the README under Program Files\yzo, adds a
; Start-menu entry, opens .yzo files with yzo, and registers its uninstaller,
; which removes all of that again. The user's own folders (%APPDATA%\yzo, the
; accounts under Documents\yzo) are the user's: neither touches them.
; 64-bit, as the programs are.
Target amd64-unicode
!include "MUI2.nsh"

!define APP "yzo"
!define FILE_CLASS "yzo.compte"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "yzo"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${APP}"
  CreateShortcut "$SMPROGRAMS\${APP}\yzo.lnk" "$INSTDIR\bin\yzo.exe"
  CreateShortcut "$SMPROGRAMS\${APP}\Désinstaller yzo.lnk" "$INSTDIR\uninstall.exe"

  ; Account files open with yzo.
  WriteRegStr HKLM "Software\Classes\.yzo" "" "${FILE_CLASS}"
  WriteRegStr HKLM "Software\Classes\${FILE_CLASS}" "" "Compte yzo"
  WriteRegStr HKLM "Software\Classes\${FILE_CLASS}\DefaultIcon" "" "$INSTDIR\bin\yzo.exe,0"
  WriteRegStr HKLM "Software\Classes\${FILE_CLASS}\shell\open\command" "" '"$INSTDIR\bin\yzo.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${APP}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\bin\yzo.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${APP}\yzo.lnk"
  Delete "$SMPROGRAMS\${APP}\Désinstaller yzo.lnk"
  RMDir "$SMPROGRAMS\${APP}"

  ; .yzo is left alone if another program has taken it since.
  ReadRegStr $0 HKLM "Software\Classes\.yzo" ""
  StrCmp $0 "${FILE_CLASS}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.yzo"
  DeleteRegKey HKLM "Software\Classes\${FILE_CLASS}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; Only what the installer put there: the folder itself goes if it is empty then.
  RMDir /r "$INSTDIR\bin"
  RMDir /r "$INSTDIR\share"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
