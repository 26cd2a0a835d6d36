#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "app/StatusDisplay.h"
#include "memory/MemoryStatus.h"

namespace {

constexpr std::uint64_t MiB = 1024 * 1024;
constexpr std::u16string_view KoreanPhysFormat = u"%.0n MB / %.0n MB (%n%% 사용중)";

TEST(StatusDisplay, RoundsMegabytesToNearestWithTiesToEven) {
  struct TCase {
    std::uint64_t Bytes, Expected;
  };
  const TCase cases[] = {
      {0, 0},
      {MiB / 2 - 1, 0},
      {MiB / 2, 0},  // half of the first megabyte: the tie goes to even 0
      {MiB / 2 + 1, 1},
      {MiB, 1},
      {MiB + MiB / 2, 2},      // 1.5 MB
      {2 * MiB + MiB / 2, 2},  // 2.5 MB
      {2 * MiB + MiB / 2 + 1, 3},
      {16301 * MiB + 12345, 16301},
      {std::numeric_limits<std::uint64_t>::max(), std::uint64_t{1} << 44},
  };
  for (const auto& c : cases) EXPECT_EQ(WholeMegabytes(c.Bytes), c.Expected) << c.Bytes << " bytes";
}

TEST(StatusDisplay, RoundsTheBarPositionWithTiesToEven) {
  struct TCase {
    double Value;
    int Expected;
  };
  const TCase cases[] = {
      {0, 0},
      {48.9f, 49},
      {48.5, 48},
      {49.5, 50},
      {0.5, 0},
      {99.5, 100},
      {100, 100},
      {-2.5, -2},
      {-3.5, -4},
      {50.49999, 50},
      {std::numeric_limits<double>::quiet_NaN(), 0},
      {1e300, std::numeric_limits<int>::max()},
      {-1e300, std::numeric_limits<int>::min()},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.Value), c.Expected) << c.Value;
}

TEST(StatusDisplay, ComposesTheThreeLinesAndTheBar) {
  MemoryStatus status;
  status.TotalPhys = 16301 * MiB + 300000;
  status.AvailPhys = status.TotalPhys - (7971 * MiB - 400000);
  status.PercentPhys = 48.9f;
  status.TotalPageFile = 32000 * MiB;
  status.AvailPageFile = 20000 * MiB;
  status.PercentPageFile = 37.5f;
  status.TotalCache = 2048 * MiB;
  status.AvailCache = 1536 * MiB;
  status.PercentCache = 25;

  const TStatusDisplay display = ComposeStatusDisplay(status, KoreanPhysFormat, TNumberFormat{u".", u","});
  EXPECT_EQ(display.PhysStatus, u"7.971 MB / 16.301 MB (48,90% 사용중)");
  EXPECT_EQ(display.VirtualStatus, u"12.000 MB (37,50%)");
  EXPECT_EQ(display.WorkingStatus, u"512 MB (25,00%)");
  EXPECT_EQ(display.ProgressPosition, 49);
}

TEST(StatusDisplay, AnEmptySampleShowsZeros) {
  // A failed memory query, or a file-cache query that failed and left its fields alone.
  const TStatusDisplay display = ComposeStatusDisplay(MemoryStatus{}, KoreanPhysFormat, TNumberFormat{});
  EXPECT_EQ(display.PhysStatus, u"0 MB / 0 MB (0.00% 사용중)");
  EXPECT_EQ(display.VirtualStatus, u"0 MB (0.00%)");
  EXPECT_EQ(display.WorkingStatus, u"0 MB (0.00%)");
  EXPECT_EQ(display.ProgressPosition, 0);
}

TEST(StatusDisplay, AMeasureWithMoreAvailableThanTotalShowsNothingInUse) {
  // The file cache's current size read above its peak: the sampler's subtractions wrap.
  const std::uint32_t peak = 300 * MiB;
  const std::uint32_t current = 301 * MiB;
  MemoryStatus status;
  status.TotalCache = peak;
  status.AvailCache = static_cast<std::uint32_t>(peak - current);
  status.PercentCache = static_cast<float>(UsagePercent(status.TotalCache, status.TotalCache - status.AvailCache));
  ASSERT_GT(status.PercentCache, 1e6f);  // what the sampler hands over

  const TStatusDisplay display = ComposeStatusDisplay(status, KoreanPhysFormat, TNumberFormat{});
  EXPECT_EQ(display.WorkingStatus, u"0 MB (0.00%)");
}

TEST(StatusDisplay, AFormatThatDoesNotFitRaises) {
  EXPECT_THROW(ComposeStatusDisplay(MemoryStatus{}, u"%.0n MB / %.0n MB (%n%% %n)", TNumberFormat{}), TFormatError);
  EXPECT_THROW(ComposeStatusDisplay(MemoryStatus{}, u"%d MB", TNumberFormat{}), TFormatError);
}

}  // namespace
