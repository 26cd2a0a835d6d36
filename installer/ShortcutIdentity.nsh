; Gives a shortcut the program's AppUserModelID. Windows files the program's toasts under the
; identity of the Start-menu shortcut that carries it; without one they are dropped.

!define CLSID_ShellLink "{00021401-0000-0000-C000-000000000046}"
!define IID_IShellLinkW "{000214F9-0000-0000-C000-000000000046}"
!define IID_IPersistFile "{0000010B-0000-0000-C000-000000000046}"
!define IID_IPropertyStore "{886D8EEB-8CF2-4446-8D02-CDBA1DBDCF99}"
!define PKEY_AppUserModel_ID "{9F4C2855-9F79-4B39-A8D0-E1D42DE1D5F3}"
!define PID_AppUserModel_ID 5
!define CLSCTX_INPROC_SERVER 0x1
!define COINIT_APARTMENTTHREADED 0x2
!define STGM_READWRITE 0x2
!define VT_LPWSTR 31

; $0: the shortcut file, $1: the identity. The shortcut works without it, so a failure only
; shows in the details. Uses $2-$9.
Function SetShortcutAppUserModelId
  ; The install thread may not have COM yet; S_FALSE (already there) is balanced too.
  System::Call 'ole32::CoInitializeEx(p 0, i ${COINIT_APARTMENTTHREADED}) i .r9'
  StrCpy $8 "failed"
  System::Call 'ole32::CoCreateInstance(g "${CLSID_ShellLink}", p 0, i ${CLSCTX_INPROC_SERVER}, g "${IID_IShellLinkW}", *p .r2) i .r3'
  ${If} $3 = 0
    System::Call '$2->0(g "${IID_IPersistFile}", *p .r4) i .r3'
    ${If} $3 = 0
      System::Call '$4->5(w r0, i ${STGM_READWRITE}) i .r3'
      ${If} $3 = 0
        System::Call '$2->0(g "${IID_IPropertyStore}", *p .r5) i .r3'
      ${EndIf}
      ${If} $3 = 0
        ; PROPERTYKEY, then a PROPVARIANT of type VT_LPWSTR pointing at the identity.
        System::Call '*(&g16 "${PKEY_AppUserModel_ID}", i ${PID_AppUserModel_ID}) p .r6'
        System::Call '*(&w64 r1) p .r7'
        System::Call '*(&i2 ${VT_LPWSTR}, &i2 0, &i2 0, &i2 0, p r7) p .r8'
        System::Call '$5->6(p r6, p r8) i .r3'
        System::Free $6
        System::Free $7
        System::Free $8
        StrCpy $8 "failed"
        ${If} $3 = 0
          System::Call '$5->7() i .r3'
        ${EndIf}
        ${If} $3 = 0
          System::Call '$4->6(p 0, i 1) i .r3'
        ${EndIf}
        ${IfThen} $3 = 0 ${|} StrCpy $8 "" ${|}
        System::Call '$5->2()'
      ${EndIf}
      System::Call '$4->2()'
    ${EndIf}
    System::Call '$2->2()'
  ${EndIf}
  ${If} $9 >= 0
    System::Call 'ole32::CoUninitialize()'
  ${EndIf}
  ${If} $8 != ""
    DetailPrint "The shortcut $0 was made without its application identity"
  ${EndIf}
FunctionEnd
