#include "memory/MemoryPurge.h"

#include <cstdint>

#include "memory/FileCacheInformation.h"

namespace {

void IssueMemoryListCommand(const TMemoryApi& api, std::uint32_t command) {
  std::uint32_t block = command;  // a fresh block per command, never reused
  api.NtSetSystemInformation(SystemMemoryListInformation, &block, sizeof(block));
}

}  // namespace

void CleanMemory(const TMemoryApi& api) {
  // Minimum and maximum of all bits set ask the system to empty the cache's working set.
  TSystemFileCacheInformation cache{};
  cache.MinimumWorkingSet = UINT64_MAX;
  cache.MaximumWorkingSet = UINT64_MAX;
  api.NtSetSystemInformation(SystemFileCacheInformation, &cache, sizeof(cache));

  // Working sets first, so the pages they give up land on the lists purged next.
  IssueMemoryListCommand(api, MemoryEmptyWorkingSets);
  IssueMemoryListCommand(api, MemoryPurgeLowPriorityStandbyList);
  IssueMemoryListCommand(api, MemoryPurgeStandbyList);
  IssueMemoryListCommand(api, MemoryFlushModifiedList);

  unsigned char combine[CombinePhysicalMemoryBlockSize] = {};
  api.NtSetSystemInformation(SystemCombinePhysicalMemoryInformation, combine, sizeof(combine));
}

void CleanMemory() {
  CleanMemory(SystemMemoryApi());
}

bool EnablePrivilege(const wchar_t* privilegeName, bool enable, const TMemoryApi& api) {
  constexpr DWORD AdjustAndQuery = TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY;  // 0x28
  HANDLE token = nullptr;
  if (api.OpenProcessToken(::GetCurrentProcess(), AdjustAndQuery, &token)) {
    // Closed through the same table that opened it, so tests see the close too.
    struct TTokenCloser {
      const TMemoryApi& Api;
      HANDLE Token;
      ~TTokenCloser() { Api.CloseHandle(Token); }
    } closer{api, token};
    LUID luid{};
    if (api.LookupPrivilegeValueW(nullptr, privilegeName, &luid)) {
      TOKEN_PRIVILEGES newState{};
      newState.PrivilegeCount = 1;
      newState.Privileges[0].Luid = luid;
      newState.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
      TOKEN_PRIVILEGES previousState = newState;
      DWORD returnLength = 0;
      // Its result says nothing useful: a privilege the token lacks still "succeeds" with
      // ERROR_NOT_ALL_ASSIGNED as the last error, which is what the caller is told about.
      api.AdjustTokenPrivileges(token, FALSE, &newState, sizeof(previousState), &previousState, &returnLength);
    }
  }
  return ::GetLastError() == 0;
}

bool EnablePrivilege(const wchar_t* privilegeName, bool enable) {
  return EnablePrivilege(privilegeName, enable, SystemMemoryApi());
}
