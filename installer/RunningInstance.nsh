; Ending orvanta.exe before its files are replaced or removed.
;
; The running instance of the installing user's session is reached by its window. An instance
; of another session, or every instance when the setup runs as SYSTEM (as deployment tools run
; it), cannot be reached that way: those are found by the path of their exe instead.

!include WinMessages.nsh

!define TH32CS_SNAPPROCESS 0x2
; PROCESSENTRY32W on x64; its process id is the third DWORD.
!define PROCESSENTRY32W_SIZE 568
; PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE
!define INSTANCE_PROCESS_ACCESS 0x101001
!define ENDSESSION_LOGOFF 0x80000000
!define SMTO_ABORTIFHUNG 0x2
; What instances asked to quit may take, in milliseconds, before they are ended.
!define INSTANCE_QUIT_TIME 5000

!macro RUNNING_INSTANCE_FUNCTIONS UN
; Counts the processes running "$INSTDIR\orvanta.exe" into $R1; with $R0 = 1 it also
; terminates them and waits until they are gone, so that their exe can be replaced.
Function ${UN}ScanInstances
  StrCpy $R1 0
  System::Call 'kernel32::CreateToolhelp32Snapshot(i ${TH32CS_SNAPPROCESS}, i 0) p .r0'
  ${If} $0 P= -1
    Return
  ${EndIf}
  System::Alloc ${PROCESSENTRY32W_SIZE}
  Pop $1
  System::Call '*$1(i ${PROCESSENTRY32W_SIZE})'
  System::Call 'kernel32::Process32FirstW(p r0, p r1) i .r2'
  ${DoWhile} $2 <> 0
    System::Call '*$1(i, i, i .r3)'
    System::Call 'kernel32::OpenProcess(i ${INSTANCE_PROCESS_ACCESS}, i 0, i r3) p .r4'
    ${If} $4 P<> 0
      System::Call 'kernel32::QueryFullProcessImageNameW(p r4, i 0, w .r5, *i ${NSIS_MAX_STRLEN}) i .r6'
      ; LogicLib's == ignores case, as paths do.
      ${If} $6 <> 0
      ${AndIf} $5 == "$INSTDIR\orvanta.exe"
        IntOp $R1 $R1 + 1
        ${If} $R0 = 1
          System::Call 'kernel32::TerminateProcess(p r4, i 1)'
          System::Call 'kernel32::WaitForSingleObject(p r4, i 10000)'
        ${EndIf}
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r4)'
    ${EndIf}
    System::Call 'kernel32::Process32NextW(p r0, p r1) i .r2'
  ${Loop}
  System::Free $1
  System::Call 'kernel32::CloseHandle(p r0)'
FunctionEnd

; Gives instances that were asked to quit time to finish, then ends those still running
; (hung, or in a session whose window the setup cannot reach).
Function ${UN}EndInstances
  StrCpy $R0 0
  System::Call 'kernel32::GetTickCount() i .R2'
  ${Do}
    Call ${UN}ScanInstances
    ${IfThen} $R1 = 0 ${|} ${Break} ${|}
    Sleep 100
    System::Call 'kernel32::GetTickCount() i .R3'
    IntOp $R3 $R3 - $R2
  ${LoopWhile} $R3 < ${INSTANCE_QUIT_TIME}
  ${If} $R1 <> 0
    DetailPrint "Ending Orvanta processes still running from $INSTDIR"
    StrCpy $R0 1
    Call ${UN}ScanInstances
  ${EndIf}
FunctionEnd
!macroend

!insertmacro RUNNING_INSTANCE_FUNCTIONS ""
!insertmacro RUNNING_INSTANCE_FUNCTIONS "un."

; An upgrade closes the instance as log-off does: it quits for real and leaves its logon
; task alone (the uninstall command would delete it). Sets $InstanceWasRunning.
Function CloseInstanceForUpgrade
  StrCpy $InstanceWasRunning 0
  FindWindow $0 "TFrmOrvanta"
  ${If} $0 P<> 0
    StrCpy $InstanceWasRunning 1
    System::Call 'user32::SendMessageTimeoutW(p r0, i ${WM_QUERYENDSESSION}, p 0, p ${ENDSESSION_LOGOFF}, i ${SMTO_ABORTIFHUNG}, i 5000, *p .r1)'
    Call EndInstances
  ${Else}
    ; Nothing here was asked to quit: those of other sessions are ended without waiting.
    StrCpy $R0 1
    Call ScanInstances
  ${EndIf}
FunctionEnd

; The uninstall command makes this session's instance delete its logon task and quit. It is
; not waited for: facing a hung instance it would never return, and it is ended with the rest.
Function un.QuitInstancesForUninstall
  ${If} ${FileExists} "$INSTDIR\orvanta.exe"
    Exec '"$INSTDIR\orvanta.exe" /uninst'
  ${EndIf}
  Call un.EndInstances
FunctionEnd
