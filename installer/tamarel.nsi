; Tamarel's per-user installer: no administrator rights, everything under the
; user's own profile. The build passes VERSION, DIST (the folder holding the
; program, the command-line tool, the language files, the horoscope texts and
; the help), ICON, ART (the welcome picture, drawn by scripts/make_installer_art.py)
; and OUTFILE.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"

Name "Tamarel"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tamarel"
InstallDirRegKey HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tamarel" "InstallLocation"
BrandingText "Tamarel ${VERSION}"
VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "Tamarel"
VIAddVersionKey /LANG=0 "FileDescription" "Tamarel Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "Zenthal"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) 2026 Zenthal"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tamarel"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Quillow\Tamarel"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${ART}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${ART}"
!define MUI_ABORTWARNING
!define MUI_LANGDLL_ALLLANGUAGES
!define MUI_FINISHPAGE_RUN "$INSTDIR\tamarel.exe"
; The second box of the last page: start Tamarel with Windows. Its state is
; read when the page is left, before the program is started.
!define MUI_FINISHPAGE_SHOWREADME ""
!define MUI_FINISHPAGE_SHOWREADME_TEXT "$(StartWithWindows)"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION StartWithWindowsTicked

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishShow
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE FinishLeave
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
; The sections have no descriptions: without the description box the list
; of what to remove takes the page's whole width, and "Also remove my
; calendar data" reads whole in every language, with no scroll bar.
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Russian"

LangString ProgramSection ${LANG_ENGLISH} "Tamarel"
LangString ProgramSection ${LANG_GERMAN} "Tamarel"
LangString ProgramSection ${LANG_FRENCH} "Tamarel"
LangString ProgramSection ${LANG_RUSSIAN} "Tamarel"
LangString RemoveProgram ${LANG_ENGLISH} "Program files"
LangString RemoveProgram ${LANG_GERMAN} "Programmdateien"
LangString RemoveProgram ${LANG_FRENCH} "Fichiers du programme"
LangString RemoveProgram ${LANG_RUSSIAN} "Файлы программы"
LangString RemoveData ${LANG_ENGLISH} "Also remove my calendar data"
LangString RemoveData ${LANG_GERMAN} "Auch meine Kalenderdaten entfernen"
LangString RemoveData ${LANG_FRENCH} "Supprimer aussi les données de mon calendrier"
LangString RemoveData ${LANG_RUSSIAN} "Удалить также данные моего календаря"
LangString StartWithWindows ${LANG_ENGLISH} "Start Tamarel with Windows"
LangString StartWithWindows ${LANG_GERMAN} "Tamarel mit Windows starten"
LangString StartWithWindows ${LANG_FRENCH} "Démarrer Tamarel avec Windows"
LangString StartWithWindows ${LANG_RUSSIAN} "Запускать Tamarel вместе с Windows"
LangString StillRunning ${LANG_ENGLISH} "Tamarel is running. Please close it (File > Exit) and try again."
LangString StillRunning ${LANG_GERMAN} "Tamarel läuft noch. Bitte beenden Sie es (Datei > Beenden) und versuchen Sie es erneut."
LangString StillRunning ${LANG_FRENCH} "Tamarel est en cours d'exécution. Fermez-le (Fichier > Quitter) puis réessayez."
LangString StillRunning ${LANG_RUSSIAN} "Tamarel запущен. Закройте его (Файл > Выход) и повторите попытку."

; The program holds the named mutex "Tamarel" while it runs; its files cannot
; be replaced then.
!macro RefuseWhileRunning
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "Tamarel") p .r0'
  ${If} $0 P<> 0
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDOK
    Abort
  ${EndIf}
!macroend
!include "LogicLib.nsh"

; Start with Windows: ticked for a new user, as she chose it before for an
; upgrade; "/NOAUTOSTART" on the command line (a silent install) unticks it.
Var AutoStart

Function .onInit
  SetShellVarContext current
  !insertmacro MUI_LANGDLL_DISPLAY
  StrCpy $AutoStart 1
  ClearErrors
  ReadRegDWORD $0 HKCU "${SETTINGS_KEY}" "autoLoad"
  ${IfNot} ${Errors}
    ${If} $0 = 1
      StrCpy $AutoStart 1
    ${Else}
      StrCpy $AutoStart 0
    ${EndIf}
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NOAUTOSTART" $1
  ${IfNot} ${Errors}
    StrCpy $AutoStart 0
  ${EndIf}
FunctionEnd

; The program starts with Windows when its autoLoad setting is on and keeps
; the Run entry to match at every save; the installer writes both, so the
; choice holds from the first logon, before the program has ever run.
Function WriteAutoStart
  WriteRegDWORD HKCU "${SETTINGS_KEY}" "autoLoad" $AutoStart
  ${If} $AutoStart = 1
    WriteRegStr HKCU "${RUN_KEY}" "Tamarel" '"$INSTDIR\tamarel.exe" -m'
  ${Else}
    DeleteRegValue HKCU "${RUN_KEY}" "Tamarel"
  ${EndIf}
FunctionEnd

Function FinishShow
  ${If} $AutoStart = 1
    SendMessage $mui.FinishPage.ShowReadme ${BM_SETCHECK} ${BST_CHECKED} 0
  ${Else}
    SendMessage $mui.FinishPage.ShowReadme ${BM_SETCHECK} ${BST_UNCHECKED} 0
  ${EndIf}
FunctionEnd

Function FinishLeave
  SendMessage $mui.FinishPage.ShowReadme ${BM_GETCHECK} 0 0 $0
  ${If} $0 = ${BST_CHECKED}
    StrCpy $AutoStart 1
  ${Else}
    StrCpy $AutoStart 0
  ${EndIf}
  Call WriteAutoStart
FunctionEnd

; The box is read in FinishLeave; nothing more to do when it is ticked.
Function StartWithWindowsTicked
FunctionEnd

Function un.onInit
  SetShellVarContext current
  !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

Section "$(ProgramSection)" SecProgram
  SectionIn RO
  !insertmacro RefuseWhileRunning
  SetOutPath "$INSTDIR"
  ; An upgrade replaces the program's own files only; user.dat beside them and
  ; db.dat under the roaming application data are never touched.
  File "${DIST}\tamarel.exe"
  File "${DIST}\tamarel-cli.exe"
  File "${DIST}\tamarel_help.chm"
  File "${DIST}\*.lan"
  File /nonfatal /r "${DIST}\en"
  File /nonfatal /r "${DIST}\de"
  File /nonfatal /r "${DIST}\fr"
  File /nonfatal /r "${DIST}\ru"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\Tamarel"
  CreateShortcut "$SMPROGRAMS\Tamarel\Tamarel.lnk" "$INSTDIR\tamarel.exe" "" "$INSTDIR\tamarel.exe" 0
  CreateShortcut "$SMPROGRAMS\Tamarel\Tamarel Help.lnk" "$INSTDIR\tamarel_help.chm"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tamarel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Zenthal"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tamarel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
  Call WriteAutoStart
SectionEnd

Section "un.$(RemoveProgram)" UnSecProgram
  SectionIn RO
  !insertmacro RefuseWhileRunning
  Delete "$INSTDIR\tamarel.exe"
  Delete "$INSTDIR\tamarel-cli.exe"
  Delete "$INSTDIR\tamarel_help.chm"
  Delete "$INSTDIR\en.lan"
  Delete "$INSTDIR\de.lan"
  Delete "$INSTDIR\fr.lan"
  Delete "$INSTDIR\ru.lan"
  RMDir /r "$INSTDIR\en"
  RMDir /r "$INSTDIR\de"
  RMDir /r "$INSTDIR\fr"
  RMDir /r "$INSTDIR\ru"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\Tamarel\Tamarel.lnk"
  Delete "$SMPROGRAMS\Tamarel\Tamarel Help.lnk"
  RMDir "$SMPROGRAMS\Tamarel"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; Nothing may start the program that is gone.
  DeleteRegValue HKCU "${RUN_KEY}" "Tamarel"
  ; Only an empty folder goes: user.dat stays unless she asks to remove her data.
  RMDir "$INSTDIR"
SectionEnd

; Off unless ticked, and off in a silent uninstall.
Section /o "un.$(RemoveData)" UnSecData
  Delete "$INSTDIR\user.dat"
  Delete "$INSTDIR\user.dat.new"
  RMDir "$INSTDIR"
  Delete "$APPDATA\Zenthal\Tamarel\db.dat"
  Delete "$APPDATA\Zenthal\Tamarel\db.dat-journal"
  Delete "$APPDATA\Zenthal\Tamarel\Desk_Cal.bmp"
  RMDir "$APPDATA\Zenthal\Tamarel"
  RMDir "$APPDATA\Zenthal"
  DeleteRegKey HKCU "Software\Quillow\Tamarel"
  DeleteRegKey /ifempty HKCU "Software\Quillow"
SectionEnd
