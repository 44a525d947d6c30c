; The Windows installer: the program under Program Files, a Start menu entry that asks for a card
; set (--choose-folder), and an uninstaller, listed in Windows' installed programs, that removes
; every file, entry and registry key this installer made.
; makensis -DVERSION=1.0.1 -DEXE=selvara-card-viewer.exe -DREADME=README.md [-DLICENCE=FILE]
;          -DOUTFILE=selvara-card-viewer-installer.exe installer.nsi
; A 64-bit installer for the 64-bit program: it runs where the program runs, and its registry
; entries and folders are the 64-bit ones without redirection.
Target amd64-unicode
; The version information names no copyright holder: the project states none.
!pragma warning disable 9100

!define PRODUCT "Selvara Card Viewer"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "Selvara"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; For every user of the machine: the Start menu entry among all users' programs.
Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File "/oname=selvara-card-viewer.exe" "${EXE}"
  File "/oname=README.md" "${README}"
!ifdef LICENCE
  File "/oname=LICENCE.txt" "${LICENCE}"
!endif
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\selvara-card-viewer.exe" "--choose-folder" \
    "$INSTDIR\selvara-card-viewer.exe" 0
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Selvara"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\selvara-card-viewer.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only the files the installer put there: a folder the user filled is left with their files in it.
Section "Uninstall"
  Delete "${SHORTCUT}"
  Delete "$INSTDIR\selvara-card-viewer.exe"
  Delete "$INSTDIR\README.md"
!ifdef LICENCE
  Delete "$INSTDIR\LICENCE.txt"
!endif
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
