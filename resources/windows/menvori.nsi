; SPDX-FileCopyrightText: 2026 Menvori developers
; SPDX-License-Identifier: GPL-3.0-or-later

; The Windows installer, in Catalan. It installs Menvori for the user who
; runs it (no administrator rights needed) or, chosen on its second page or
; by /AllUsers, for every user of the computer; it adds an entry to the Start
; menu and to Windows' list of installed programs, and an uninstaller that
; removes exactly what was installed. Silent: /S, with /CurrentUser or
; /AllUsers. Made by scripts/windows.sh:
;   makensis -DVERSION=1.0.0 -DICON=menvori.ico -DFILES=files.nsh
;            -DUNFILES=unfiles.nsh -DSIZE_KB=26000 -DOUTFILE=setup.exe menvori.nsi
; where files.nsh installs the program's folder (File) and unfiles.nsh
; deletes it file by file (Delete, RMDir), as listed when it was staged.
; A 64-bit installer for a 64-bit program: it writes into the 64-bit program
; folder and registry.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Menvori"

Name "Menvori"
OutFile "${OUTFILE}"
BrandingText "Menvori ${VERSION}"

; Per user unless chosen otherwise; the uninstaller finds which from where
; the entry was written.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Menvori"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INIT_TEXT_ADMINREQUIRED "Per a instal·lar el Menvori calen permisos d'administrador."
!define MULTIUSER_INIT_TEXT_POWERREQUIRED "Per a instal·lar el Menvori calen permisos d'usuari avançat."
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "El vostre compte no té permisos per a instal·lar el Menvori per a tots els usuaris d'aquest ordinador."
!include MultiUser.nsh
!include MUI2.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\menvori.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The page that asks for whom, which NSIS has no Catalan for.
!define MULTIUSER_TEXT_INSTALLMODE_TITLE "Trieu els usuaris"
!define MULTIUSER_TEXT_INSTALLMODE_SUBTITLE "Trieu per a quins usuaris voleu instal·lar l'aplicació $(^NameDA)."
!define MULTIUSER_INNERTEXT_INSTALLMODE_TOP "Trieu si voleu instal·lar l'aplicació $(^NameDA) només per a vós o per a tots els usuaris d'aquest ordinador. $(^ClickNext)"
!define MULTIUSER_INNERTEXT_INSTALLMODE_ALLUSERS "Instal·la-la per a tots els usuaris d'aquest ordinador"
!define MULTIUSER_INNERTEXT_INSTALLMODE_CURRENTUSER "Instal·la-la només per a mi"
!insertmacro MUI_LANGUAGE "Catalan"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_CATALAN} "ProductName" "Menvori"
VIAddVersionKey /LANG=${LANG_CATALAN} "FileDescription" "Instal·lador del Menvori"
VIAddVersionKey /LANG=${LANG_CATALAN} "CompanyName" "Menvori developers"
VIAddVersionKey /LANG=${LANG_CATALAN} "LegalCopyright" "© 2026 Menvori developers. GPL-3.0-or-later"
VIAddVersionKey /LANG=${LANG_CATALAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_CATALAN} "ProductVersion" "${VERSION}"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section
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
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\Menvori.lnk"
  !include "${UNFILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; The per-user programs folder, which the installer may have made, if
  ; nothing else is in it.
  ${If} $MultiUser.InstallMode == CurrentUser
    RMDir "$LOCALAPPDATA\Programs"
  ${EndIf}
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
