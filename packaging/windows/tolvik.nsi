; The Windows installer: a per-user install under %LOCALAPPDATA%\Programs,
; so that the program folder and its output folder stay writable.
; makensis -DVERSION=… -DAPPDIR=… -DFILES=… -DOUTFILE=… tolvik.nsi
; A 64-bit installer for a 64-bit program (and for a Wine without 32-bit support).
Target amd64-unicode
SetCompressor /SOLID lzma
Name "Tolvik"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Tolvik"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Tolvik"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Tolvik ${VERSION} setup"
VIAddVersionKey "LegalCopyright" "Tolvik"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvik"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Tolvik"
  SetOutPath "$INSTDIR"
  File /r "${APPDIR}/*.*"
  CreateDirectory "$INSTDIR\output"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Tolvik.lnk" "$INSTDIR\tolvik.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tolvik"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
SectionEnd

Section "Uninstall"
  ; Only what was installed goes: MP3s the user made in output\ stay.
  !include "${FILES}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR\output"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Tolvik.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
