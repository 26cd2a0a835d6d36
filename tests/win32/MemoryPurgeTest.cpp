#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "RecordingMemoryApi.h"
#include "memory/MemoryPurge.h"

namespace {

std::vector<std::uint8_t> ListCommand(std::uint8_t command) {
  return {command, 0, 0, 0};
}

std::vector<std::uint8_t> FileCacheTrimBlock() {
  std::vector<std::uint8_t> block(64, 0);
  for (int i = 24; i < 40; ++i) block[i] = 0xFF;  // minimum and maximum working set
  return block;
}

void ExpectTheSixPurgeCalls() {
  const auto& calls = TRecordingMemoryApi::SetCalls;
  ASSERT_EQ(calls.size(), 6u);
  const std::vector<ULONG> classes = {21, 80, 80, 80, 80, 130};
  const std::vector<std::vector<std::uint8_t>> blocks = {FileCacheTrimBlock(), ListCommand(2),
                                                         ListCommand(5),       ListCommand(4),
                                                         ListCommand(3),       std::vector<std::uint8_t>(24, 0)};
  for (std::size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].InfoClass, classes[i]) << "call " << i;
    EXPECT_EQ(calls[i].Block, blocks[i]) << "call " << i;
  }
}

TEST(CleanMemory, IssuesTheSixCallsInOrder) {
  TRecordingMemoryApi::Reset();
  CleanMemory(TRecordingMemoryApi::Table());
  ExpectTheSixPurgeCalls();
}

TEST(CleanMemory, GoesOnWhenEveryCallFails) {
  for (const auto status : {static_cast<TMemoryApi::NtStatus>(0xC0000061),     // privilege not held
                            static_cast<TMemoryApi::NtStatus>(0xC0000003),     // invalid info class
                            static_cast<TMemoryApi::NtStatus>(0xC0000004)}) {  // length mismatch
    TRecordingMemoryApi::Reset();
    TRecordingMemoryApi::SetStatus = status;
    EXPECT_NO_THROW(CleanMemory(TRecordingMemoryApi::Table()));
    ExpectTheSixPurgeCalls();
  }
}

// Token calls recorded by a table of their own.
struct TRecordingTokenApi {
  static inline BOOL OpenResult = TRUE;
  static inline BOOL LookupResult = TRUE;
  static inline DWORD AdjustLastError = ERROR_SUCCESS;
  static inline std::vector<DWORD> AdjustedAttributes;
  static inline int Closes = 0;
  static inline HANDLE FakeToken = reinterpret_cast<HANDLE>(0x1234);

  static void Reset() {
    OpenResult = TRUE;
    LookupResult = TRUE;
    AdjustLastError = ERROR_SUCCESS;
    AdjustedAttributes.clear();
    Closes = 0;
  }
  static BOOL WINAPI Open(HANDLE, DWORD access, PHANDLE token) {
    EXPECT_EQ(access, 0x28u);
    if (!OpenResult) {
      ::SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    *token = FakeToken;
    return TRUE;
  }
  static BOOL WINAPI Lookup(LPCWSTR system, LPCWSTR, PLUID luid) {
    EXPECT_EQ(system, nullptr);
    if (!LookupResult) {
      ::SetLastError(ERROR_NO_SUCH_PRIVILEGE);
      return FALSE;
    }
    *luid = LUID{7, 0};
    return TRUE;
  }
  static BOOL WINAPI Adjust(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state, DWORD length,
                            PTOKEN_PRIVILEGES previous, PDWORD) {
    EXPECT_EQ(token, FakeToken);
    EXPECT_FALSE(disableAll);
    EXPECT_EQ(length, 16u);
    EXPECT_NE(previous, nullptr);
    EXPECT_EQ(state->PrivilegeCount, 1u);
    EXPECT_EQ(state->Privileges[0].Luid.LowPart, 7u);
    AdjustedAttributes.push_back(state->Privileges[0].Attributes);
    ::SetLastError(AdjustLastError);
    return TRUE;
  }
  static BOOL WINAPI Close(HANDLE token) {
    EXPECT_EQ(token, FakeToken);
    ++Closes;
    return TRUE;
  }
  static TMemoryApi Table() {
    TMemoryApi api = SystemMemoryApi();
    api.OpenProcessToken = &Open;
    api.LookupPrivilegeValueW = &Lookup;
    api.AdjustTokenPrivileges = &Adjust;
    api.CloseHandle = &Close;
    return api;
  }
};

TEST(EnablePrivilege, ReportsTheLastErrorOfEachPath) {
  struct TCase {
    const char* Name;
    BOOL Open;
    BOOL Lookup;
    DWORD AdjustError;
    bool Expected;
    int Closes;
  };
  const TCase cases[] = {
      {"granted", TRUE, TRUE, ERROR_SUCCESS, true, 1},
      {"token lacks the privilege", TRUE, TRUE, ERROR_NOT_ALL_ASSIGNED, false, 1},
      {"unknown name", TRUE, FALSE, ERROR_SUCCESS, false, 1},
      {"token not opened", FALSE, TRUE, ERROR_SUCCESS, false, 0},
  };
  for (const auto& c : cases) {
    TRecordingTokenApi::Reset();
    TRecordingTokenApi::OpenResult = c.Open;
    TRecordingTokenApi::LookupResult = c.Lookup;
    TRecordingTokenApi::AdjustLastError = c.AdjustError;
    EXPECT_EQ(EnablePrivilege(L"SeProfileSingleProcessPrivilege", true, TRecordingTokenApi::Table()), c.Expected)
        << c.Name;
    EXPECT_EQ(TRecordingTokenApi::Closes, c.Closes) << c.Name;
  }
}

TEST(EnablePrivilege, EnablesOrDisablesByFlag) {
  TRecordingTokenApi::Reset();
  const TMemoryApi api = TRecordingTokenApi::Table();
  EnablePrivilege(L"SeIncreaseQuotaPrivilege", true, api);
  EnablePrivilege(L"SeIncreaseQuotaPrivilege", false, api);
  EXPECT_EQ(TRecordingTokenApi::AdjustedAttributes, (std::vector<DWORD>{SE_PRIVILEGE_ENABLED, 0}));
}

TEST(EnablePrivilegeOnThisSystem, UnknownPrivilegeIsRefused) {
  EXPECT_FALSE(EnablePrivilege(L"SeNoSuchPrivilegeAnywhere", true));
}

TEST(EnablePrivilegeOnThisSystem, PurgePrivilegesCanBeEnabledWhenElevated) {
  // The test process runs as root under Wine, which Wine treats as an administrator.
  EXPECT_TRUE(EnablePrivilege(L"SeProfileSingleProcessPrivilege", true));
  EXPECT_TRUE(EnablePrivilege(L"SeIncreaseQuotaPrivilege", true));
}

}  // namespace
