#pragma once

#include <windows.h>

// The platform calls of the memory engine. Tests pass a table of their own to record
// every call and answer with chosen results; the program uses SystemMemoryApi().
struct TMemoryApi {
  using NtStatus = LONG;

  BOOL(WINAPI* GlobalMemoryStatusEx)(LPMEMORYSTATUSEX buffer);
  NtStatus(NTAPI* NtQuerySystemInformation)(ULONG infoClass, PVOID info, ULONG length, PULONG returnLength);
  NtStatus(NTAPI* NtSetSystemInformation)(ULONG infoClass, PVOID info, ULONG length);
  BOOL(WINAPI* OpenProcessToken)(HANDLE process, DWORD access, PHANDLE token);
  BOOL(WINAPI* LookupPrivilegeValueW)(LPCWSTR systemName, LPCWSTR name, PLUID luid);
  BOOL(WINAPI* AdjustTokenPrivileges)
  (HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES newState, DWORD length, PTOKEN_PRIVILEGES previousState,
   PDWORD returnLength);
  BOOL(WINAPI* CloseHandle)(HANDLE handle);
};

// Bound once to kernel32, ntdll and advapi32; an entry point ntdll lacks stays a stub
// that fails, so callers never test for null.
const TMemoryApi& SystemMemoryApi();
