#include <gtest/gtest.h>

#include <string>

#include "autostart/DurationString.h"

namespace {

TEST(DurationString, WritesMinutesAndSecondsNeverHours) {
  struct TCase {
    int Seconds;
    std::u16string Expected;
  };
  const TCase cases[] = {
      {0, u"PT0S"}, {45, u"PT45S"}, {60, u"PT1M"}, {90, u"PT1M30S"}, {3600, u"PT60M"},
  };
  for (const TCase& c : cases) EXPECT_EQ(DurationString(c.Seconds), c.Expected) << c.Seconds << " seconds";
}

}  // namespace
