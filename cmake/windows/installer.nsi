; The Windows installer of the KX40927 configurator, made by
; scripts/package --windows with makensis. Defines it gets:
;   VERSION         the program version
;   SOURCE          the program folder to install (cmake --install of build-windows)
;   OUTFILE         the installer to write
;   UNINSTALL_LIST  an include with the Delete and RMDir lines of exactly the installed files
;
; A per-user installation by default, into the user's own program folder,
; which stays writable: the configurator keeps its settings, configurations
; and firmware images there, and the Ethernet updater reads its parameter file
; from its own folder. /ALLUSERS installs into Program Files for every user
; (started as administrator); the configurator then keeps the data of each
; user in %LOCALAPPDATA%\Vorlantech\kc40927. /S runs without a window.
; The uninstaller removes the installed files only: configurations, settings,
; firmware images and added language files stay.

; A 64-bit installer for the 64-bit programs.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PRODUCT "KX40927 configurator"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\kc40927-configurator"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
Icon "${SOURCE}/kc40927.ico"
UninstallIcon "${SOURCE}/kc40927.ico"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "Vorlantech"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Vorlantech"

Var AllUsers

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  StrCpy $AllUsers 0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${IfNot} ${Errors}
    UserInfo::GetAccountType
    Pop $R2
    ${If} $R2 != "Admin"
      MessageBox MB_ICONSTOP "An installation for all users needs administrator rights: start the setup with Run as administrator." /SD IDOK
      SetErrorLevel 740
      Quit
    ${EndIf}
    StrCpy $AllUsers 1
    SetShellVarContext all
    ; /D= given on the command line wins over the default folder.
    ${If} $INSTDIR == "$LOCALAPPDATA\Programs\${PRODUCT}"
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Program"
  SetOutPath "$INSTDIR"
  File /r "${SOURCE}/*"
  CreateDirectory "$INSTDIR\MASTER"
  WriteINIStr "$INSTDIR\install.ini" "install" "all_users" "$AllUsers"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\kc40927-configurator.exe" "" "$INSTDIR\kc40927.ico" 0
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Vorlantech"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kc40927.ico"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
  ReadINIStr $AllUsers "$INSTDIR\install.ini" "install" "all_users"
  ${If} $AllUsers == "1"
    SetShellVarContext all
  ${EndIf}
FunctionEnd

Section "Uninstall"
  !include "${UNINSTALL_LIST}"
  Delete "$INSTDIR\install.ini"
  Delete "$INSTDIR\Uninstall.exe"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ; Left when the user's configurations, settings or firmware are in it.
  RMDir "$INSTDIR"
SectionEnd
