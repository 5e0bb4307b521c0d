; The setup program: installs for the current user only (no administrator
; rights), under the local application data folder, with Start menu shortcuts,
; an entry in the user's list of installed programs and an uninstaller that
; removes exactly what was installed. /S installs (and uninstalls) silently.
; Neither writes or removes a file while the program runs: both ask to close it
; (silently, they end with exit status 2), and the uninstaller that could not
; remove a file says so and stays in the list, to be run again.
;
;   makensis -DVERSION=1.0.0 -DSTAGE=folder -DICON=file.ico -DOUTFILE=setup.exe tessel.nsi
Unicode true
!ifndef VERSION | STAGE | OUTFILE | ICON
  !error "usage: makensis -DVERSION=x.y.z -DSTAGE=folder -DICON=file.ico -DOUTFILE=setup.exe tessel.nsi"
!endif

!ifndef SIZE_KB
  !define SIZE_KB 0
!endif

!define PRODUCT "Oxbrim Tessel IncrediMail"
!define COMPANY "Oxbrim"
!define PROGRAM "${PRODUCT}.exe"
!define HELP "${PRODUCT}.chm"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
; Windows' place for programs installed by one user.
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "${COMPANY}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The program looks for its help file in the folder current at start, so it
; is started from the folder it was installed in.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${COMPANY}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${COMPANY}"

; A running program: its window, or one of its files in use (the program, its
; help open in the viewer, tessel.exe in a console). Windows refuses to remove
; or replace them, so nothing is touched until they are closed.

; Sets $R0 to "" when the file can be written, or else to its path.
!macro CheckFileFree FILE
  ${If} ${FileExists} "$INSTDIR\${FILE}"
    ClearErrors
    FileOpen $0 "$INSTDIR\${FILE}" a
    ${If} ${Errors}
      StrCpy $R0 "$INSTDIR\${FILE}"
      Return
    ${EndIf}
    FileClose $0
  ${EndIf}
!macroend

!macro RunningProgramFunctions UN DOING
; $R0: "" when nothing of the program runs, "window" when its window is open,
; or else the path of a file in use.
Function ${UN}FindRunningProgram
  StrCpy $R0 ""
  ; A dialog, as its window is: not a folder window of the same name.
  FindWindow $0 "#32770" "${PRODUCT}"
  ${If} $0 <> 0
    StrCpy $R0 "window"
    Return
  ${EndIf}
  !insertmacro CheckFileFree "${PROGRAM}"
  !insertmacro CheckFileFree "${HELP}"
  !insertmacro CheckFileFree "tessel.exe"
  !insertmacro CheckFileFree "README.txt"
FunctionEnd

; Asks until the program is closed; Cancel (and /S) ends here with exit status 2.
Function ${UN}CloseRunningProgram
  check:
  Call ${UN}FindRunningProgram
  ${If} $R0 == ""
    Return
  ${ElseIf} $R0 == "window"
    StrCpy $R0 "${PRODUCT} is running. Please close it, then press Retry."
  ${Else}
    StrCpy $R0 "$R0 is in use. Please close the program that uses it (${PRODUCT}, its help, or tessel.exe in a console window), then press Retry."
  ${EndIf}
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$R0$\r$\n$\r$\nCancel ends the ${DOING} without changing anything." /SD IDCANCEL IDRETRY check
  SetErrorLevel 2
  Quit
FunctionEnd
!macroend
!insertmacro RunningProgramFunctions "" "setup"
!insertmacro RunningProgramFunctions "un." "uninstall"

Function .onInit
  SetShellVarContext current
  Call CloseRunningProgram
FunctionEnd

Function un.onInit
  SetShellVarContext current
  Call un.CloseRunningProgram
FunctionEnd

Function StartProgram
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\${PROGRAM}"'
FunctionEnd

Section "Install"
  ; Asked again: the folder may have changed, or the program started, since.
  Call CloseRunningProgram
  SetOutPath "$INSTDIR"
  ; The uninstaller and its entry first, so that whatever is written can be removed.
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; Shortcuts start in $OUTDIR, the install folder, where the help file is.
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk" "$INSTDIR\${HELP}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}

  ClearErrors
  File "${STAGE}/${PROGRAM}"
  File "${STAGE}/${HELP}"
  File "${STAGE}/tessel.exe"
  File "${STAGE}/README.txt"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "Some files could not be written to $INSTDIR. Close what uses them and run the setup again." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
SectionEnd

; Adds the file to $R1 when it cannot be removed.
!macro RemoveFile FILE
  ClearErrors
  Delete "${FILE}"
  ${If} ${Errors}
    StrCpy $R1 "$R1$\r$\n${FILE}"
  ${EndIf}
!macroend

Section "Uninstall"
  Call un.CloseRunningProgram
  ; Only the files the setup program put there: anything the user saved in
  ; the folder stays, and the folder with it.
  StrCpy $R1 ""
  !insertmacro RemoveFile "$INSTDIR\${PROGRAM}"
  !insertmacro RemoveFile "$INSTDIR\${HELP}"
  !insertmacro RemoveFile "$INSTDIR\tessel.exe"
  !insertmacro RemoveFile "$INSTDIR\README.txt"
  ; A file left: the uninstaller, its shortcuts and its entry stay for another run.
  ${If} $R1 != ""
    DetailPrint "Could not remove:$R1"
    MessageBox MB_OK|MB_ICONSTOP "These files could not be removed:$R1$\r$\n$\r$\nClose what uses them and run the uninstaller again: it stays in the list of installed programs." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  ; The per-user programs folder too, when nothing else is left in it.
  RMDir "$LOCALAPPDATA\Programs"

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
