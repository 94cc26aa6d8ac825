; The per-user installer of モコペ！. The program folder also holds the user's
; settings, account table, users and read records, so the program goes where
; the user may write (%LOCALAPPDATA%\Programs\Mokpe), without administrator
; rights. The uninstaller removes the program and leaves the user's files
; unless asked to remove them too.
;
; makensis -INPUTCHARSET UTF8 -DVERSION=... -DSTAGE=folder -DOUTFILE=...-setup.exe
;          -DFILES=install.nsh -DUNFILES=uninstall.nsh installer.nsi
Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define PRODUCT "モコペ！"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Mokpe"
!define LAUNCHER_KEY "Software\Tanvel\Plexar\Vstart\Program10"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Mokpe"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\MokpeCnv.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "プログラムを削除します．設定・科目コード表・使用者・読込み記録のファイルは，選ばない限り残します．"
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Section "-program"
  SetOutPath "$INSTDIR"
  !include "${FILES}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\MokpeCnv.exe"
  ; Listed in the user's installed programs, removable without administrator rights.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\MokpeCnv.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "-un.program"
  !include "${UNFILES}"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  ; The desktop shortcut the program made, and its launcher entry where it is this copy's.
  Delete "$DESKTOP\${PRODUCT}.lnk"
  ReadRegStr $0 HKCU "${LAUNCHER_KEY}" "Path"
  ${If} $0 == "$INSTDIR\MokpeCnv.exe"
    DeleteRegKey HKCU "${LAUNCHER_KEY}"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.設定・科目コード表・使用者・読込み記録のファイルも削除する" userFiles
  Delete "$INSTDIR\inifile.ini"
  Delete "$INSTDIR\kamoku_code.csv"
  Delete "$INSTDIR\person.csv"
  Delete "$INSTDIR\card_reads*.csv"
  Delete "$INSTDIR\*.bad-*"
SectionEnd

Section "-un.folder"
  ; Only an empty folder goes: the user's files keep it.
  RMDir "$INSTDIR"
SectionEnd
