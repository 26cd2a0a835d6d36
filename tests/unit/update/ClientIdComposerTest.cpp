#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "update/ClientIdComposer.h"
#include "update/RandomGenerator.h"

namespace {

TLocalClock FixedClock(TLocalTime time) {
  return [time] { return time; };
}

std::uint32_t HexValue(std::u16string_view digits) {
  std::uint32_t value = 0;
  for (const char16_t c : digits) {
    EXPECT_TRUE((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')) << "not an upper-case hex digit";
    value = value * 16 + static_cast<std::uint32_t>(c <= u'9' ? c - u'0' : c - u'A' + 10);
  }
  return value;
}

bool AllDecimal(std::u16string_view digits) {
  for (const char16_t c : digits) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

TEST(ClientIdComposer, PlacesDateAndTimeAndPadsTheRandomParts) {
  const auto clock = FixedClock({2025, 12, 8, 9, 5, 7});
  std::vector<std::uint32_t> bounds;
  const auto lowest = [&bounds](std::uint32_t bound) {
    bounds.push_back(bound);
    return std::uint32_t{0};
  };
  const auto highest = [](std::uint32_t bound) { return bound - 1; };

  EXPECT_EQ(ComposeClientId(clock, lowest), u"00000000251208000009050700000000");
  EXPECT_EQ(bounds, (std::vector<std::uint32_t>{2147483647, 65535, 2147483647}));
  EXPECT_EQ(ComposeClientId(clock, highest), u"7FFFFFFE251208FFFE0905077FFFFFFE");
  EXPECT_EQ(ComposeClientId(FixedClock({2009, 1, 31, 23, 59, 0}), lowest).substr(8, 6), u"090131");
}

TEST(ClientIdComposer, ReadsTheClockSeparatelyForDateAndTime) {
  // Across midnight the date comes from the first reading and the time from the second.
  int readings = 0;
  const TLocalClock clock = [&readings] {
    return ++readings == 1 ? TLocalTime{2025, 12, 31, 23, 59, 59} : TLocalTime{2026, 1, 1, 0, 0, 0};
  };
  const std::u16string id = ComposeClientId(clock, [](std::uint32_t) { return 0u; });
  EXPECT_EQ(readings, 2);
  EXPECT_EQ(id.substr(8, 6), u"251231");
  EXPECT_EQ(id.substr(18, 6), u"000000");
}

TEST(ClientIdComposer, RandomPartsStayInRangeOverManyDraws) {
  TRandomGenerator generator(20251208);
  const auto random = [&generator](std::uint32_t bound) { return generator.Below(bound); };
  const auto clock = FixedClock({2025, 12, 8, 9, 5, 7});
  std::uint32_t largestFirst = 0;
  for (int draw = 0; draw < 20000; ++draw) {
    const std::u16string id = ComposeClientId(clock, random);
    ASSERT_EQ(id.size(), 32u);
    const std::uint32_t first = HexValue(id.substr(0, 8));
    EXPECT_LE(first, 2147483646u);
    EXPECT_LE(HexValue(id.substr(14, 4)), 65534u);
    EXPECT_LE(HexValue(id.substr(24, 8)), 2147483646u);
    EXPECT_TRUE(AllDecimal(id.substr(8, 6)) && AllDecimal(id.substr(18, 6)));
    largestFirst = std::max(largestFirst, first);
  }
  // The draws cover the range rather than a corner of it.
  EXPECT_GT(largestFirst, 0x70000000u);
}

TEST(RandomGenerator, StaysBelowItsBound) {
  TRandomGenerator generator(1);
  EXPECT_EQ(generator.Below(0), 0u);
  for (int i = 0; i < 1000; ++i) {
    EXPECT_EQ(generator.Below(1), 0u);
    EXPECT_LT(generator.Below(2), 2u);
    EXPECT_LT(generator.Below(65535), 65535u);
  }
}

}  // namespace
