; The Windows installer of Zorvex, built by scripts/package.sh with:
;   VERSION, VERSION4 (four numbers), PUBLISHER, COPYRIGHT, ICON,
;   WELCOME_BITMAP (164 x 314), LICENSE, OUTFILE and
;   FILES, an include file that defines InstallShippedFiles,
;   DeleteShippedFiles and ForEachShippedProgram for the files a release ships.
; Per-machine install, an all-users Start menu shortcut, an uninstaller
; registered with Windows, English or French by the system's language
; (/LANG=en or /LANG=fr overrides it). Silent with /S, folder with /D=.

Unicode true
; This installer and its uninstaller are 64-bit programs.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include "${FILES}"

!define MAIN_PROGRAM "Zorvex.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zorvex"
; The key the program keeps its settings under, and the one the shell finds
; "Zorvex" by (Run box, start command).
!define SETTINGS_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Zorvex_V1.1"
!define APP_PATH_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\${MAIN_PROGRAM}"
!define SHORTCUT "$SMPROGRAMS\Zorvex.lnk"

; Exit codes beside NSIS's own (1 cancelled, 2 aborted).
!define EXIT_PROGRAM_RUNNING 3
!define EXIT_NOT_ADMIN 740

Name "Zorvex ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Zorvex"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Zorvex ${VERSION}"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=0 "ProductName" "Zorvex"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "Zorvex ${VERSION} setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WELCOME_BITMAP}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the one used when the system's language is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "French"

LangString ProgramRunning ${LANG_ENGLISH} "Zorvex is running ($INSTDIR\$R9).$\r$\n$\r$\nClose it, then click Retry."
LangString ProgramRunning ${LANG_FRENCH} "Zorvex est en cours d'exécution ($INSTDIR\$R9).$\r$\n$\r$\nFermez-le, puis cliquez sur Réessayer."
LangString NeedsAdministrator ${LANG_ENGLISH} "Zorvex is installed for every user of this computer: run this program as an administrator."
LangString NeedsAdministrator ${LANG_FRENCH} "Zorvex s'installe pour tous les utilisateurs de cet ordinateur : lancez ce programme en tant qu'administrateur."

; Sets $R9 to the first shipped program in $INSTDIR that is in use, or "".
; A program that runs cannot be opened for writing.
!macro ProgramInUse PROGRAM
  ${If} $R9 == ""
    System::Call 'kernel32::CreateFileW(w "$INSTDIR\${PROGRAM}", i 0x40000000, i 7, p 0, i 3, i 0, p 0) p.r0 ?e'
    Pop $1
    ${If} $0 P= -1
      ${If} $1 = 32 ; sharing violation
        StrCpy $R9 "${PROGRAM}"
      ${EndIf}
    ${Else}
      System::Call 'kernel32::CloseHandle(p r0)'
    ${EndIf}
  ${EndIf}
!macroend

; The checks and choices shared by the installer and the uninstaller.
!macro SharedFunctions UN
Function ${UN}ChooseLanguage
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/LANG=" $1
  ${IfNot} ${Errors}
    ${If} $1 == "fr"
      StrCpy $LANGUAGE ${LANG_FRENCH}
    ${ElseIf} $1 == "en"
      StrCpy $LANGUAGE ${LANG_ENGLISH}
    ${EndIf}
  ${EndIf}
FunctionEnd

Function ${UN}RequireAdministrator
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_ICONSTOP|MB_OK "$(NeedsAdministrator)" /SD IDOK
    SetErrorLevel ${EXIT_NOT_ADMIN}
    Quit
  ${EndIf}
FunctionEnd

; Asks the user to close the shipped programs that run from $INSTDIR; quits
; when the user cancels or, silent, at once: nothing has been changed yet.
Function ${UN}CloseRunningPrograms
  ${Do}
    StrCpy $R9 ""
    !insertmacro ForEachShippedProgram ProgramInUse
    ${If} $R9 == ""
      Return
    ${EndIf}
    ${If} ${Silent}
      SetErrorLevel ${EXIT_PROGRAM_RUNNING}
      Quit
    ${EndIf}
    MessageBox MB_ICONEXCLAMATION|MB_RETRYCANCEL "$(ProgramRunning)" IDRETRY retry
    SetErrorLevel ${EXIT_PROGRAM_RUNNING}
    Quit
    retry:
  ${Loop}
FunctionEnd
!macroend
!insertmacro SharedFunctions ""
!insertmacro SharedFunctions "un."

Function .onInit
  SetRegView 64
  Call ChooseLanguage
  Call RequireAdministrator
  ; Silent, the folder is already chosen; shown, the directory page checks it.
  ${If} ${Silent}
    Call CloseRunningPrograms
  ${EndIf}
FunctionEnd

Function DirectoryLeave
  Call CloseRunningPrograms
FunctionEnd

Function StartProgram
  SetOutPath "$PROFILE"
  Exec '"$INSTDIR\${MAIN_PROGRAM}"'
FunctionEnd

Section "Zorvex"
  SectionIn RO
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  !insertmacro InstallShippedFiles
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ; The program offers its current folder as the one to scan: started from
  ; the menu, that is the user's own folder, not the program's.
  StrCpy $OUTDIR "%USERPROFILE%"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${MAIN_PROGRAM}" "" "$INSTDIR\${MAIN_PROGRAM}" 0

  ; Only the default value: the settings kept there by the program stay.
  WriteRegStr HKLM "${SETTINGS_KEY}" "" "$INSTDIR\${MAIN_PROGRAM}"
  WriteRegStr HKLM "${APP_PATH_KEY}" "" "$INSTDIR\${MAIN_PROGRAM}"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Zorvex"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${MAIN_PROGRAM},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  SetRegView 64
  Call un.ChooseLanguage
  Call un.RequireAdministrator
  Call un.CloseRunningPrograms
FunctionEnd

; Removes what the installer made, and only that: a folder that still holds
; files of the user's stays.
Section "Uninstall"
  SetShellVarContext all
  !insertmacro DeleteShippedFiles
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"
  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey HKLM "${APP_PATH_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
