#pragma once

#include <cstdint>

// One snapshot of the machine's memory: physical memory, the commit limit and the
// working set of the system file cache against its own peak since boot.
struct MemoryStatus {
  std::uint64_t AvailPhys = 0;
  std::uint64_t AvailPageFile = 0;
  std::uint64_t AvailCache = 0;
  std::uint64_t TotalPhys = 0;
  std::uint64_t TotalPageFile = 0;
  std::uint64_t TotalCache = 0;
  float PercentPhys = 0;
  float PercentPageFile = 0;
  float PercentCache = 0;
};

// used × 100 ÷ total; 0 when either is 0. Not clamped: used above total reads over 100.
long double UsagePercent(std::uint64_t total, std::uint64_t used);
