#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "memory/MemoryApi.h"

// A memory API that records every call and answers with the results a test chooses.
// The table holds plain function pointers, so the recorder state is process-wide;
// each test starts by calling Reset().
struct TRecordedSetCall {
  ULONG InfoClass;
  std::vector<std::uint8_t> Block;
};

struct TRecordingMemoryApi {
  static inline MEMORYSTATUSEX MemoryAnswer{};
  static inline BOOL MemoryResult = TRUE;
  static inline std::vector<std::uint8_t> QueryAnswer;
  static inline TMemoryApi::NtStatus QueryStatus = 0;
  static inline TMemoryApi::NtStatus SetStatus = 0;
  static inline std::vector<ULONG> QueryLengths;
  static inline std::vector<TRecordedSetCall> SetCalls;

  static void Reset() {
    MemoryAnswer = {};
    MemoryResult = TRUE;
    QueryAnswer.clear();
    QueryStatus = 0;
    SetStatus = 0;
    QueryLengths.clear();
    SetCalls.clear();
  }

  static BOOL WINAPI GlobalMemoryStatusEx(LPMEMORYSTATUSEX buffer) {
    if (!MemoryResult) return FALSE;
    const DWORD length = buffer->dwLength;
    *buffer = MemoryAnswer;
    buffer->dwLength = length;
    return TRUE;
  }

  static TMemoryApi::NtStatus NTAPI NtQuerySystemInformation(ULONG, PVOID info, ULONG length, PULONG) {
    QueryLengths.push_back(length);
    if (QueryStatus != 0) return QueryStatus;
    std::memcpy(info, QueryAnswer.data(), std::min<std::size_t>(length, QueryAnswer.size()));
    return 0;
  }

  static TMemoryApi::NtStatus NTAPI NtSetSystemInformation(ULONG infoClass, PVOID info, ULONG length) {
    const auto* bytes = static_cast<const std::uint8_t*>(info);
    SetCalls.push_back({infoClass, std::vector<std::uint8_t>(bytes, bytes + length)});
    return SetStatus;
  }

  static TMemoryApi Table() {
    TMemoryApi api = SystemMemoryApi();
    api.GlobalMemoryStatusEx = &GlobalMemoryStatusEx;
    api.NtQuerySystemInformation = &NtQuerySystemInformation;
    api.NtSetSystemInformation = &NtSetSystemInformation;
    return api;
  }
};
