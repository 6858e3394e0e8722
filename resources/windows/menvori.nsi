; SPDX-FileCopyrightText: 2026 Menvori developers
; SPDX-License-Identifier: GPL-3.0-or-later

; The Windows installer, in Catalan. It installs Menvori for the user who
; runs it (no administrator rights, no elevation prompt) or for every user
; of the computer (administrator rights); it adds an entry to the Start menu
; and to Windows' list of installed programs, and an uninstaller that
; removes exactly what was installed. Made by installer.cmake:
;   makensis -DVERSION=1.0.0 -DICON=menvori.ico -DMUTEX=Menvori-running
;            -DFILES=files.nsh -DUNFILES=unfiles.nsh -DSIZE_KB=26000
;            -DOUTFILE=setup.exe menvori.nsi
; where files.nsh installs the program's folder (File) and unfiles.nsh
; deletes it file by file (Delete, RMDir), as listed when it was staged.
;
; The command line, for a school's deployment tools (README):
;   /S               silent
;   /AllUsers        for every user, into Program Files (administrators)
;   /CurrentUser     for the running user, into %LOCALAPPDATA%\Programs
;                    Silent without either: for every user where it runs
;                    as an administrator or as SYSTEM, else for the user.
;   /D=FOLDER        where to install (last, unquoted)
; An installed version, older or the same, is first removed by its own
; uninstaller, silently and in the same mode; a newer one is left alone and
; the installation refused. Nothing is touched while Menvori runs (it holds
; the named mutex MUTEX while it runs). Exit codes:
!define EXIT_CANCELLED 1      ; the user cancelled (NSIS's own)
!define EXIT_FAILED 2         ; a file could not be written or removed (NSIS's own)
!define EXIT_RUNNING 3        ; Menvori is running: nothing was changed
!define EXIT_NEWER 4          ; a newer version is installed: nothing was changed
!define EXIT_OLD_REMAINS 5    ; the installed version's uninstaller failed
!define EXIT_RIGHTS 740       ; /AllUsers without administrator rights (Windows' ERROR_ELEVATION_REQUIRED)

; A 64-bit installer for a 64-bit program: it writes into the 64-bit program
; folder and registry. It starts with the rights of whoever runs it, and asks
; for more only for an installation for every user.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
ManifestSupportedOS all
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Menvori"

Name "Menvori"
OutFile "${OUTFILE}"
BrandingText "Menvori ${VERSION}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include nsDialogs.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

Var Mode          ; AllUsers or CurrentUser
Var ModeGiven     ; 1 where the command line chose the mode
Var FolderGiven   ; 1 where the command line chose the folder (/D=)
Var Admin         ; 1 with administrator rights (elevated, or SYSTEM)
Var AllUsersButton

!insertmacro MUI_PAGE_WELCOME
Page custom ModePage ModePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\menvori.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Catalan"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_CATALAN} "ProductName" "Menvori"
VIAddVersionKey /LANG=${LANG_CATALAN} "FileDescription" "Instal·lador del Menvori"
VIAddVersionKey /LANG=${LANG_CATALAN} "CompanyName" "Menvori developers"
VIAddVersionKey /LANG=${LANG_CATALAN} "LegalCopyright" "© 2026 Menvori developers. GPL-3.0-or-later"
VIAddVersionKey /LANG=${LANG_CATALAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_CATALAN} "ProductVersion" "${VERSION}"

; Sets $2 to 1 where the mutex NAME exists. One that another user made may
; deny this one access (error 5): it exists all the same.
!macro MutexHeld NAME
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${NAME}") p.r0 ?e'
  Pop $1 ; the error
  ${If} $0 P<> 0
    System::Call 'kernel32::CloseHandle(p r0)'
    StrCpy $2 1
  ${ElseIf} $1 = 5
    StrCpy $2 1
  ${EndIf}
!macroend

; What the installer and the uninstaller both need, defined once for each
; (NSIS keeps the uninstaller's functions apart, named un.*).
!macro Common un
  ; Pushes 1 while Menvori runs, in this session or any other: it holds the
  ; mutex, in both namespaces, for as long as it runs.
  Function ${un}IsRunning
    Push $0
    Push $1
    Push $2
    StrCpy $2 0
    !insertmacro MutexHeld "${MUTEX}"
    !insertmacro MutexHeld "Global\${MUTEX}"
    StrCpy $0 $2
    Pop $2
    Pop $1
    Exch $0
  FunctionEnd

  ; Waits for Menvori to be closed: asks, unless silent, where it refuses.
  Function ${un}RequireNotRunning
    Push $0
    ${Do}
      Call ${un}IsRunning
      Pop $0
      ${If} $0 == 0
        ${Break}
      ${EndIf}
      ${If} ${Silent}
        SetErrorLevel ${EXIT_RUNNING}
        Quit
      ${EndIf}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "El Menvori s'està executant. Tanqueu-lo i torneu-ho a provar." IDRETRY +3
      SetErrorLevel ${EXIT_RUNNING}
      Quit
    ${Loop}
    Pop $0
  FunctionEnd

  ; Administrator rights: an elevated administrator, or SYSTEM.
  Function ${un}FindRights
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 == "Admin"
      StrCpy $Admin 1
    ${Else}
      StrCpy $Admin 0
    ${EndIf}
  FunctionEnd

  ; Makes $Mode the one the shell folders and the registry are taken for.
  Function ${un}UseMode
    ${If} $Mode == AllUsers
      SetShellVarContext all
    ${Else}
      SetShellVarContext current
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro Common ""
!insertmacro Common "un."

; Ends with the exit code and, unless silent, the message on the stack
; (pushed in that order).
Function Refuse
  Exch $0 ; the message
  Exch
  Exch $1 ; the code
  ${IfNot} ${Silent}
    MessageBox MB_OK|MB_ICONSTOP "$0"
  ${EndIf}
  SetErrorLevel $1
  Quit
FunctionEnd

; Sets $Mode from the command line, $ModeGiven where it did.
!macro ReadMode
  StrCpy $ModeGiven 1
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    StrCpy $Mode AllUsers
  ${Else}
    ClearErrors
    ${GetOptions} $R0 "/CurrentUser" $R1
    ${IfNot} ${Errors}
      StrCpy $Mode CurrentUser
    ${Else}
      StrCpy $ModeGiven 0
    ${EndIf}
  ${EndIf}
!macroend

; The installed Menvori in $Mode: $R7 its folder and $R8 its version, both
; empty where there is none.
Function FindInstalled
  ReadRegStr $R7 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $R8 SHCTX "${UNINSTALL_KEY}" "DisplayVersion"
FunctionEnd

; $INSTDIR for $Mode: as /D= gave it, else where it is installed, else the
; usual folder.
Function ChooseFolder
  ${If} $FolderGiven == 1
    Return
  ${EndIf}
  Call UseMode
  Call FindInstalled
  ${If} $R7 != ""
    StrCpy $INSTDIR $R7
  ${ElseIf} $Mode == AllUsers
    StrCpy $INSTDIR "$PROGRAMFILES64\Menvori"
  ${Else}
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Menvori"
  ${EndIf}
FunctionEnd

Function .onInit
  ${If} $INSTDIR != ""
    StrCpy $FolderGiven 1
  ${EndIf}
  Call FindRights
  !insertmacro ReadMode
  ${If} $ModeGiven == 0
    ; Silent, a deployment tool running as SYSTEM or an administrator means
    ; every user; a user means that user. Asked, an earlier installation's
    ; mode comes first.
    StrCpy $Mode CurrentUser
    ${If} $Admin == 1
      StrCpy $Mode AllUsers
    ${EndIf}
    ${IfNot} ${Silent}
      ReadRegStr $R7 HKLM "${UNINSTALL_KEY}" "InstallLocation"
      ${If} $R7 != ""
        StrCpy $Mode AllUsers
      ${EndIf}
      ReadRegStr $R7 HKCU "${UNINSTALL_KEY}" "InstallLocation"
      ${If} $R7 != ""
        StrCpy $Mode CurrentUser
      ${EndIf}
    ${EndIf}
  ${EndIf}
  ; Asked, the page that asks for whom gets the rights; told, it fails.
  ${If} $Mode == AllUsers
  ${AndIf} $Admin == 0
  ${AndIf} $ModeGiven == 1
    Push ${EXIT_RIGHTS}
    Push "Per a instal·lar el Menvori per a tots els usuaris d'aquest ordinador calen permisos d'administrador. Executeu l'instal·lador com a administrador."
    Call Refuse
  ${EndIf}
  Call ChooseFolder
  ${If} ${Silent}
    Call CheckInstalled
  ${EndIf}
FunctionEnd

; Refuses to go on over a newer version.
Function CheckInstalled
  Call UseMode
  Call FindInstalled
  ${If} $R8 != ""
    ${VersionCompare} $R8 ${VERSION} $R9
    ${If} $R9 == 1
      Push ${EXIT_NEWER}
      Push "Ja hi ha instal·lada una versió més nova del Menvori ($R8). Per a instal·lar la versió ${VERSION}, desinstal·leu abans la que hi ha."
      Call Refuse
    ${EndIf}
  ${EndIf}
FunctionEnd

; The page that asks for whom (NSIS has no Catalan one), shown unless the
; command line chose.
Function ModePage
  ${If} $ModeGiven == 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Trieu els usuaris" "Trieu per a quins usuaris voleu instal·lar l'aplicació $(^NameDA)."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 30u "Trieu si voleu instal·lar l'aplicació $(^NameDA) només per a vós o per a tots els usuaris d'aquest ordinador. $(^ClickNext)"
  Pop $0
  ${If} $Admin == 1
    ${NSD_CreateRadioButton} 10u 40u 100% 12u "Instal·la-la per a tots els usuaris d'aquest ordinador"
  ${Else}
    ${NSD_CreateRadioButton} 10u 40u 100% 12u "Instal·la-la per a tots els usuaris d'aquest ordinador (calen permisos d'administrador)"
  ${EndIf}
  Pop $AllUsersButton
  ${NSD_CreateRadioButton} 10u 56u 100% 12u "Instal·la-la només per a mi"
  Pop $0
  ${If} $Mode == AllUsers
    ${NSD_Check} $AllUsersButton
  ${Else}
    ${NSD_Check} $0
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $AllUsersButton $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $Mode AllUsers
    ${If} $Admin == 0
      ; Again, with the rights it needs: Windows asks for them.
      ExecShell "runas" "$EXEPATH" "/AllUsers"
      SetErrorLevel 0
      Quit
    ${EndIf}
  ${Else}
    StrCpy $Mode CurrentUser
  ${EndIf}
  Call ChooseFolder
  Call CheckInstalled
FunctionEnd

; Removes the installed version, older or the same, with its own
; uninstaller, silently and in the same mode; it runs in place (_?=) so that
; this waits for it, and cannot remove itself and its folder: that is done
; here.
Function RemoveInstalled
  Call FindInstalled
  ${If} $R7 == ""
  ${OrIfNot} ${FileExists} "$R7\uninstall.exe"
    Return
  ${EndIf}
  DetailPrint "Desinstal·lant la versió $R8..."
  ClearErrors
  ExecWait '"$R7\uninstall.exe" /S /$Mode _?=$R7' $0
  ${If} ${Errors}
  ${OrIf} $0 != 0
    Push ${EXIT_OLD_REMAINS}
    Push "No s'ha pogut desinstal·lar la versió $R8 del Menvori, instal·lada a $R7."
    Call Refuse
  ${EndIf}
  Delete "$R7\uninstall.exe"
  RMDir "$R7"
FunctionEnd

Section
  Call UseMode
  Call RequireNotRunning
  Call CheckInstalled
  Call RemoveInstalled
  !include "${FILES}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Menvori.lnk" "$INSTDIR\menvori.exe" "" "$INSTDIR\menvori.exe" 0 \
    SW_SHOWNORMAL "" "Pràctiques de lectura del peu de rei"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Menvori"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\menvori.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Menvori developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$Mode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$Mode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Function un.onInit
  Call un.FindRights
  !insertmacro ReadMode
  ${If} $ModeGiven == 0
    ; The mode whose entry names this folder.
    StrCpy $Mode CurrentUser
    ReadRegStr $R7 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R7 == $INSTDIR
      StrCpy $Mode AllUsers
    ${EndIf}
  ${EndIf}
  ${If} $Mode == AllUsers
  ${AndIf} $Admin == 0
    ${If} ${Silent}
      SetErrorLevel ${EXIT_RIGHTS}
      Quit
    ${EndIf}
    ; Again, from the installed uninstaller, with the rights it needs.
    ExecShell "runas" "$INSTDIR\uninstall.exe" "/AllUsers"
    SetErrorLevel 0
    Quit
  ${EndIf}
  Call un.UseMode
  Call un.RequireNotRunning
FunctionEnd

Section "Uninstall"
  Call un.RequireNotRunning
  Delete "$SMPROGRAMS\Menvori.lnk"
  !include "${UNFILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; The per-user programs folder, which the installer may have made, if
  ; nothing else is in it.
  ${If} $Mode == CurrentUser
    RMDir "$LOCALAPPDATA\Programs"
  ${EndIf}
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
