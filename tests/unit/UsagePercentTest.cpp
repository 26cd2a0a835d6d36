#include <gtest/gtest.h>

#include <cstdint>

#include "memory/MemoryStatus.h"

namespace {

constexpr std::uint64_t GiB = 1024ull * 1024 * 1024;

struct TUsageCase {
  const char* Name;
  std::uint64_t Total;
  std::uint64_t Used;
  long double Expected;
};

const TUsageCase UsageCases[] = {
    {"zero total reads zero", 0, 5, 0},
    {"zero used reads zero", 5, 0, 0},
    {"both zero", 0, 0, 0},
    {"half of 8 GiB", 8 * GiB, 4 * GiB, 50},
    {"all used", 16 * GiB, 16 * GiB, 100},
    {"used above total is not clamped", 100, 150, 150},
    {"large sizes keep precision", 64 * GiB, 48 * GiB, 75},
};

TEST(UsagePercent, ComputesUsedTimesHundredOverTotal) {
  for (const auto& c : UsageCases) {
    EXPECT_EQ(UsagePercent(c.Total, c.Used), c.Expected) << c.Name;
  }
}

TEST(UsagePercent, KeepsExtendedPrecisionBeforeNarrowing) {
  const long double third = UsagePercent(3, 1);
  EXPECT_EQ(third, 100.0L / 3.0L);
  // Narrowed to a 32-bit float only where a status record stores it.
  EXPECT_FLOAT_EQ(static_cast<float>(third), 33.333333f);
  EXPECT_NE(third, static_cast<long double>(static_cast<float>(third)));
}

}  // namespace
