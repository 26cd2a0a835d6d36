#include "memory/MemoryApi.h"

#include "win32/ProcAddress.h"

namespace {

constexpr TMemoryApi::NtStatus StatusNotImplemented = static_cast<TMemoryApi::NtStatus>(0xC0000002);

TMemoryApi::NtStatus NTAPI MissingQuery(ULONG, PVOID, ULONG, PULONG) {
  return StatusNotImplemented;
}
TMemoryApi::NtStatus NTAPI MissingSet(ULONG, PVOID, ULONG) {
  return StatusNotImplemented;
}

TMemoryApi BindSystemMemoryApi() {
  // ntdll is mapped into every process before our code runs; no load is needed.
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  TMemoryApi api{};
  api.GlobalMemoryStatusEx = &::GlobalMemoryStatusEx;
  api.NtQuerySystemInformation =
      ProcAddress<decltype(TMemoryApi::NtQuerySystemInformation)>(ntdll, "NtQuerySystemInformation");
  api.NtSetSystemInformation =
      ProcAddress<decltype(TMemoryApi::NtSetSystemInformation)>(ntdll, "NtSetSystemInformation");
  if (api.NtQuerySystemInformation == nullptr) api.NtQuerySystemInformation = &MissingQuery;
  if (api.NtSetSystemInformation == nullptr) api.NtSetSystemInformation = &MissingSet;
  api.OpenProcessToken = &::OpenProcessToken;
  api.LookupPrivilegeValueW = &::LookupPrivilegeValueW;
  api.AdjustTokenPrivileges = &::AdjustTokenPrivileges;
  api.CloseHandle = &::CloseHandle;
  return api;
}

}  // namespace

const TMemoryApi& SystemMemoryApi() {
  static const TMemoryApi api = BindSystemMemoryApi();
  return api;
}
