#pragma once

#include <cstddef>
#include <cstdint>

// SYSTEM_FILECACHE_INFORMATION in its native 64-bit layout; mingw-w64 does not declare it.
// The kernel rejects the 32-bit block from a 64-bit process with STATUS_INFO_LENGTH_MISMATCH,
// and 32-bit sizes could not describe a cache above 4 GiB.
struct TSystemFileCacheInformation {
  std::uint64_t CurrentSize;
  std::uint64_t PeakSize;
  std::uint32_t PageFaultCount;
  std::uint64_t MinimumWorkingSet;
  std::uint64_t MaximumWorkingSet;
  std::uint64_t CurrentSizeIncludingTransitionInPages;
  std::uint64_t PeakSizeIncludingTransitionInPages;
  std::uint32_t TransitionRePurposeCount;
  std::uint32_t Flags;
};

static_assert(sizeof(void*) == 8, "the file-cache block is laid out for x86-64");
static_assert(sizeof(TSystemFileCacheInformation) == 64);
static_assert(offsetof(TSystemFileCacheInformation, CurrentSize) == 0);
static_assert(offsetof(TSystemFileCacheInformation, PeakSize) == 8);
static_assert(offsetof(TSystemFileCacheInformation, PageFaultCount) == 16);
static_assert(offsetof(TSystemFileCacheInformation, MinimumWorkingSet) == 24);
static_assert(offsetof(TSystemFileCacheInformation, MaximumWorkingSet) == 32);

// Information classes and memory-list commands of NtSetSystemInformation.
inline constexpr unsigned long SystemFileCacheInformation = 21;
inline constexpr unsigned long SystemMemoryListInformation = 80;
inline constexpr unsigned long SystemCombinePhysicalMemoryInformation = 130;

inline constexpr std::uint32_t MemoryEmptyWorkingSets = 2;
inline constexpr std::uint32_t MemoryFlushModifiedList = 3;
inline constexpr std::uint32_t MemoryPurgeStandbyList = 4;
inline constexpr std::uint32_t MemoryPurgeLowPriorityStandbyList = 5;

// MEMORY_COMBINE_INFORMATION_EX on x86-64: a handle, a pointer-sized count and flags.
inline constexpr std::size_t CombinePhysicalMemoryBlockSize = 24;
