#include "memory/MemorySampler.h"

#include "memory/FileCacheInformation.h"

void QueryMemoryStatus(MemoryStatus& status, const TMemoryApi& api) {
  MEMORYSTATUSEX memory{};
  memory.dwLength = sizeof(memory);
  // A failure leaves the zeroed block, which reads as 0 everywhere.
  api.GlobalMemoryStatusEx(&memory);

  status.AvailPhys = memory.ullAvailPhys;
  status.AvailPageFile = memory.ullAvailPageFile;
  status.TotalPhys = memory.ullTotalPhys;
  status.TotalPageFile = memory.ullTotalPageFile;
  status.PercentPhys = static_cast<float>(UsagePercent(status.TotalPhys, status.TotalPhys - status.AvailPhys));
  status.PercentPageFile =
      static_cast<float>(UsagePercent(status.TotalPageFile, status.TotalPageFile - status.AvailPageFile));

  TSystemFileCacheInformation cache{};
  if (api.NtQuerySystemInformation(SystemFileCacheInformation, &cache, sizeof(cache), nullptr) != 0) return;

  status.AvailCache = cache.PeakSize - cache.CurrentSize;
  status.TotalCache = cache.PeakSize;
  status.PercentCache = static_cast<float>(UsagePercent(status.TotalCache, status.TotalCache - status.AvailCache));
}

void QueryMemoryStatus(MemoryStatus& status) {
  QueryMemoryStatus(status, SystemMemoryApi());
}
