; Orvanta's setup: a per-machine install into Program Files, with a Start-menu shortcut, an
; Apps & features entry and an uninstaller. /S installs and uninstalls silently, as deployment
; tools (Intune, Group Policy, Configuration Manager) run it, often as SYSTEM.
;
; The build passes ORVANTA_VERSION (shown to users), ORVANTA_FILE_VERSION (four numbers),
; ORVANTA_EXE, ORVANTA_ICON and ORVANTA_OUTFILE.

Unicode true
; 64-bit throughout: Program Files, the registry view and the plug-ins match the 64-bit exe.
Target amd64-unicode
SetCompressor /SOLID lzma
; The installed files get the time of the install, which keeps the setup's own bytes the same
; for the same inputs.
SetDateSave off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Orvanta"
!define PUBLISHER "Quiremo"
!define APP_USER_MODEL_ID "Quiremo.Orvanta"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanta"
!define LOGON_TASK "OrvantaTaskMachine"

Name "${PRODUCT}"
OutFile "${ORVANTA_OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; An upgrade goes where the installed version is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ManifestDPIAware true
BrandingText "${PUBLISHER}"

VIProductVersion "${ORVANTA_FILE_VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${ORVANTA_VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${ORVANTA_VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

Var IsUpgrade
Var InstanceWasRunning

!include "RunningInstance.nsh"
!include "ShortcutIdentity.nsh"

!define MUI_ICON "${ORVANTA_ICON}"
!define MUI_UNICON "${ORVANTA_ICON}"
!define MUI_ABORTWARNING
; The logon task starts the exe with administrator rights, which is safe only in a folder that
; nobody but administrators can change: the pages offer no other folder (/D= still can).
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The program's own languages; Windows' display language picks one, English for the rest.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Korean"
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Arabic"

Function .onInit
  SetRegView 64
  StrCpy $IsUpgrade 0
  StrCpy $InstanceWasRunning 0
FunctionEnd

Section "Orvanta"
  SetShellVarContext all
  ${If} ${FileExists} "$INSTDIR\orvanta.exe"
    StrCpy $IsUpgrade 1
    Call CloseInstanceForUpgrade
  ${EndIf}

  ; Replaced in place: the logon task names this path, and keeps working.
  SetOutPath "$INSTDIR"
  File "/oname=orvanta.exe" "${ORVANTA_EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\orvanta.exe"
  StrCpy $0 "$SMPROGRAMS\${PRODUCT}.lnk"
  StrCpy $1 "${APP_USER_MODEL_ID}"
  Call SetShortcutAppUserModelId

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${ORVANTA_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\orvanta.exe",0'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Runs once the setup's window is gone. A silent setup starts nothing: run as SYSTEM, the
; program would register its logon task for the wrong account.
Function .onInstSuccess
  ${If} ${Silent}
    Return
  ${EndIf}
  ${If} $IsUpgrade = 0
    ; The first start registers the logon task for the installing user.
    Exec '"$INSTDIR\orvanta.exe" /inst'
  ${ElseIf} $InstanceWasRunning = 1
    ; Back as it was, in the notification area; the user's task is untouched.
    Exec '"$INSTDIR\orvanta.exe" /start'
  ${EndIf}
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  Call un.QuitInstancesForUninstall
  ; The instance removes the task only when it ran in this session. A task left behind must
  ; not start an exe that is gone. Deleted by its exact name; missing is fine.
  nsExec::Exec '"$SYSDIR\schtasks.exe" /Delete /TN "${LOGON_TASK}" /F'
  Pop $0

  Delete "$INSTDIR\orvanta.exe"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: anything else in the folder is not ours.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; The identity the program registered for the uninstalling user, and its picture. The
  ; settings under HKCU\Software\Quiremo stay for a later install.
  SetShellVarContext current
  DeleteRegKey HKCU "Software\Classes\AppUserModelId\${APP_USER_MODEL_ID}"
  Delete "$LOCALAPPDATA\Quiremo\Orvanta\AppIcon.png"
  RMDir "$LOCALAPPDATA\Quiremo\Orvanta"
  RMDir "$LOCALAPPDATA\Quiremo"
SectionEnd
