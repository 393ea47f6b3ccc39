; The Windows installer: a per-user install under %LOCALAPPDATA%\Programs
; (or the folder the user picks, on the folder page or with /D=).
; makensis -DPROJECT=project.nsh -DAPPDIR=… -DFILES=… -DSIZE_KB=… -DOUTFILE=… tolvik.nsi
; (scripts/windows/make_installer.sh). Silent (/S) it never asks: it
; stops with a non-zero status and changes nothing where it would have
; asked (Tolvik running: 2, an older version over a newer one without
; /ALLOWDOWNGRADE: 3, Windows before 10: 4, another installer or
; uninstaller of Tolvik running: 5, a file of the installed version held
; open by another program: 6).
!include "${PROJECT}"
; A 64-bit installer for a 64-bit program (and for a Wine without 32-bit support).
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
Name "Tolvik"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Tolvik"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvik"
; A second install goes where the first one is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
; A file that cannot be written stops the install; it is never skipped.
AllowSkipFiles off
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Tolvik"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Tolvik ${VERSION} setup"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${COPYRIGHT_YEARS} ${PUBLISHER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WordFunc.nsh"
!include "WinVer.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\tolvik.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Run Tolvik"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Set once the install has begun to change the folder: a failure after
; that removes what was put there, so no half install is left.
Var changing

; Waits until no Tolvik runs (the mark every running Tolvik holds): its
; files cannot be replaced or removed under it. Silent, or when the user
; cancels, it stops with status 2 before anything has changed.
!macro RefuseWhileRunning un
Function ${un}RefuseWhileRunning
  ${Do}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MARK}") p .r0'
    ${If} $0 P= 0
      ${Break}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION|MB_TOPMOST|MB_SETFOREGROUND \
      "Tolvik is running. Close it, then choose Retry." /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Abort
    retry:
  ${Loop}
FunctionEnd
!macroend
!insertmacro RefuseWhileRunning ""
!insertmacro RefuseWhileRunning "un."

; One installer or uninstaller at a time: two would change the folder
; together. The mutex is this process's until it ends.
!macro OnlyOneSetup
  System::Call 'kernel32::CreateMutexW(p 0, i 0, w "Tolvik-setup") p .r0 ?e'
  Pop $1
  ${If} $1 == 183 ; ERROR_ALREADY_EXISTS
    MessageBox MB_OK|MB_ICONEXCLAMATION|MB_TOPMOST|MB_SETFOREGROUND \
      "Another Tolvik installer or uninstaller is running. Let it finish, then try again." /SD IDOK
    SetErrorLevel 5
    Abort
  ${EndIf}
!macroend

; "/D=C:\My Apps\Tolvik" in quotes, as Wine or a script that quotes each
; argument passes it: NSIS reads only an unquoted /D= itself.
Function QuotedInstallFolder
  ${GetParameters} $R0
  StrLen $R2 $R0
  StrCpy $R3 0
  ${DoWhile} $R3 < $R2
    StrCpy $R4 $R0 4 $R3
    ${If} $R4 == '"/D='
      IntOp $R3 $R3 + 4
      StrCpy $R5 $R0 "" $R3
      StrCpy $R6 0
      ${Do}
        StrCpy $R4 $R5 1 $R6
        ${IfThen} $R4 == '"' ${|} ${ExitDo} ${|}
        ${IfThen} $R4 == "" ${|} ${ExitDo} ${|}
        IntOp $R6 $R6 + 1
      ${Loop}
      StrCpy $INSTDIR $R5 $R6
      Return
    ${EndIf}
    IntOp $R3 $R3 + 1
  ${Loop}
FunctionEnd

Function .onInit
  !insertmacro OnlyOneSetup
  ${IfNot} ${AtLeastWin10}
    MessageBox MB_OK|MB_ICONSTOP|MB_TOPMOST|MB_SETFOREGROUND "Tolvik needs Windows 10 or later." /SD IDOK
    SetErrorLevel 4
    Abort
  ${EndIf}
  Call QuotedInstallFolder
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "DisplayVersion"
  ${If} $0 != ""
    ${VersionCompare} "${VERSION}" "$0" $1
    ${If} $1 == 2
      ${GetParameters} $R0
      ClearErrors
      ${GetOptions} "$R0" "/ALLOWDOWNGRADE" $R1
      ${If} ${Errors}
        MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2|MB_TOPMOST|MB_SETFOREGROUND \
          "Tolvik $0 is installed, a newer version than this Tolvik ${VERSION}.$\n$\nReplace it with the older version?" \
          /SD IDNO IDYES downgrade
        SetErrorLevel 3
        Abort
        downgrade:
      ${EndIf}
    ${EndIf}
  ${EndIf}
  Call RefuseWhileRunning
FunctionEnd

; Every file of an installed version must be replaceable before any of
; it is removed: one held open by another program (a player, a virus
; scanner) would stop the upgrade halfway, the old version gone and the
; new one not there. Each is moved aside and back, as its removal would
; need. Silent, or when the user cancels, it stops with status 6 before
; anything has changed.
Var held
Function TryToMove
  ClearErrors
  Delete "$R9.tolvik-moving"
  Rename "$R9" "$R9.tolvik-moving"
  ${If} ${Errors}
    StrCpy $held "$R9"
    Push "StopLocate"
    Return
  ${EndIf}
  Rename "$R9.tolvik-moving" "$R9"
  Push "go on"
FunctionEnd

Function RefuseWhileHeld ; the folder on the stack
  Exch $R0
  ${Do}
    StrCpy $held ""
    ${If} ${FileExists} "$R0\*.*"
      ${Locate} "$R0" "/L=F" "TryToMove"
    ${EndIf}
    ${If} $held == ""
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION|MB_TOPMOST|MB_SETFOREGROUND \
      "$held is in use by another program, so Tolvik cannot be updated. Close that program, then choose Retry." \
      /SD IDCANCEL IDRETRY retry
    DetailPrint "$held is in use by another program: nothing was changed."
    SetErrorLevel 6
    Abort
    retry:
  ${Loop}
  Pop $R0
FunctionEnd

; The previous installation's files go first (its own uninstaller knows
; them), wherever it was installed: nothing of an older version is left
; beside the new one.
Function RemovePreviousInstallation
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == ""
    ; Installers of earlier builds registered only the uninstaller.
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "UninstallString"
    StrCpy $2 $1 1
    ${If} $2 == '"'
      StrCpy $1 $1 "" 1
      StrCpy $1 $1 -1
    ${EndIf}
    ${GetParent} "$1" $0
  ${EndIf}
  ${If} $0 == ""
  ${OrIfNot} ${FileExists} "$0\Uninstall.exe"
    StrCpy $0 "$INSTDIR"
  ${EndIf}
  ${If} ${FileExists} "$0\Uninstall.exe"
    Push $0
    Call RefuseWhileHeld
    ${If} $0 != $INSTDIR
      Push $INSTDIR
      Call RefuseWhileHeld
    ${EndIf}
    DetailPrint "Removing the installed version from $0"
    StrCpy $changing 1
    ClearErrors
    ; /BYSETUP: run by this installer, which holds the one-at-a-time mutex.
    ExecWait '"$0\Uninstall.exe" /S /BYSETUP _?=$0' $1
    ${If} ${Errors}
    ${OrIf} $1 != 0
      MessageBox MB_OK|MB_ICONSTOP|MB_TOPMOST|MB_SETFOREGROUND \
        "The installed Tolvik in $0 could not be removed." /SD IDOK
      Abort
    ${EndIf}
    Delete "$0\Uninstall.exe"
    RMDir "$0"
  ${EndIf}
FunctionEnd

Section "Tolvik"
  Call RefuseWhileRunning
  Call RemovePreviousInstallation
  StrCpy $changing 1
  SetOutPath "$INSTDIR"
  ; No output\ folder: an installed Tolvik stores in the user's Music\Tolvik
  ; (the zip's own output\ is for a program run where it is unpacked).
  File /r /x output "${APPDIR}/*.*"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Tolvik.lnk" "$INSTDIR\tolvik.exe" "" "$INSTDIR\tolvik.exe" 0 SW_SHOWNORMAL "" \
    "Convert WAV files to MP3 in batches"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tolvik"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\tolvik.exe",0'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; What this installer puts there, and only that: MP3s an earlier version
; stored in its output\ folder stay.
!macro RemoveInstallation
  !include "${FILES}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR\output"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Tolvik.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
!macroend

; A failure once files changed: what this installer put there goes again.
Function .onInstFailed
  ${If} $changing == 1
    !insertmacro RemoveInstallation
  ${EndIf}
FunctionEnd

Function un.onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} "$R0" "/BYSETUP" $R1
  ${If} ${Errors}
    !insertmacro OnlyOneSetup
  ${EndIf}
  Call un.RefuseWhileRunning
FunctionEnd

Section "Uninstall"
  !insertmacro RemoveInstallation
SectionEnd
