#include "memory/MemoryStatus.h"

long double UsagePercent(std::uint64_t total, std::uint64_t used) {
  if (used == 0 || total == 0) return 0;
  // The product wraps modulo 2^64 by design; memory sizes never get near that.
  const std::uint64_t scaled = used * 100u;
  return static_cast<long double>(scaled) / static_cast<long double>(total);
}
