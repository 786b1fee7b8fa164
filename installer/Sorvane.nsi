; The setup program: Sorvane in Program Files (64-bit) for every user, a Start menu entry, an
; entry in the installed-apps list with its uninstaller, and, when chosen, start with Windows
; for the installing user. Built by scripts/package.sh, which defines VERSION, SOURCE and OUT.
; A 64-bit setup program for a 64-bit program (and for systems without 32-bit support).
Target amd64-unicode
SetCompressor /SOLID lzma
; The same bytes from the same sources: no file times in the archive.
SetDateSave off
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"

!define APP "Sorvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define EXIT_COMMAND 132  ; the tray menu's Exit

Name "${APP} ${VERSION}"
OutFile "${OUT}"
InstallDir "$PROGRAMFILES64\${APP}"
BrandingText "${APP} ${VERSION}"

!define MUI_ICON "${SOURCE}\res\Sorvane.ico"
!define MUI_UNICON "${SOURCE}\res\Sorvane.ico"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Ends a running Sorvane through its own Exit command, so it leaves the tray tidily; asks first
; unless the setup runs silently. Leaves the setup when the user would rather not.
!macro EndRunningSorvane un
Function ${un}EndRunningSorvane
  FindWindow $0 "TForm1"
  StrCmp $0 0 done
  MessageBox MB_OKCANCEL|MB_ICONQUESTION "Sorvane is running. End it and go on?" /SD IDOK IDOK end
  Abort
end:
  ; The window goes a moment before the program has ended, and its files can be replaced or
  ; removed only once it has: the wait is for the process itself.
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r2)'
  System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r2) p .r3'
  SendMessage $0 ${WM_COMMAND} ${EXIT_COMMAND} 0 /TIMEOUT=5000
  StrCpy $1 0
wait:
  Sleep 100
  FindWindow $0 "TForm1"
  StrCmp $0 0 ended
  IntOp $1 $1 + 1
  IntCmp $1 100 0 wait 0
  System::Call 'kernel32::CloseHandle(p r3)'
  MessageBox MB_OK|MB_ICONSTOP "Sorvane did not end. Close it from its tray menu and try again." /SD IDOK
  Abort
ended:
  System::Call 'kernel32::WaitForSingleObject(p r3, i 10000)'
  System::Call 'kernel32::CloseHandle(p r3)'
done:
FunctionEnd
!macroend
!insertmacro EndRunningSorvane ""
!insertmacro EndRunningSorvane "un."

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "Sorvane needs 64-bit Windows." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Sorvane (required)" SecProgram
  SectionIn RO
  Call EndRunningSorvane
  SetOutPath "$INSTDIR"
  File "${SOURCE}\build\win64\Sorvane.exe"
  File "${SOURCE}\build\win64\Sorvane.chm"
  File "${SOURCE}\installer\readme.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\Sorvane.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Sorvane developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Sorvane.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The value General Options writes for "Start Sorvane When Windows Starts".
Section /o "Start Sorvane when Windows starts" SecStartup
  WriteRegStr HKCU "${RUN_KEY}" "${APP}" '"$INSTDIR\Sorvane.exe"'
SectionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "un.Sorvane" UnSecProgram
  SectionIn RO
  Call un.EndRunningSorvane
  Delete "$SMPROGRAMS\${APP}.lnk"
  Delete "$INSTDIR\Sorvane.exe"
  Delete "$INSTDIR\Sorvane.chm"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; Only the entry that points at this copy.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${APP}"
  StrCmp $0 '"$INSTDIR\Sorvane.exe"' removeRun
  StrCmp $0 "$INSTDIR\Sorvane.exe" removeRun keepRun
removeRun:
  DeleteRegValue HKCU "${RUN_KEY}" "${APP}"
keepRun:
SectionEnd

Section /o "un.Remove my Sorvane settings" UnSecSettings
  SetShellVarContext current
  Delete "$APPDATA\${APP}\*.INI"
  RMDir "$APPDATA\${APP}"
  Delete "$INSTDIR\*.INI"
  RMDir "$INSTDIR"
SectionEnd
