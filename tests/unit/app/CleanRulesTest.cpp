#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <limits>

#include "app/CleanRules.h"
#include "memory/MemoryStatus.h"

namespace {

using namespace std::chrono_literals;

constexpr std::uint64_t GiB = 1024ull * 1024 * 1024;

// A consistent sample (half of every measure available) with the given percentages.
MemoryStatus Sample(float phys, float page, float work) {
  MemoryStatus status;
  status.TotalPhys = status.TotalPageFile = status.TotalCache = 16 * GiB;
  status.AvailPhys = status.AvailPageFile = status.AvailCache = 8 * GiB;
  status.PercentPhys = phys;
  status.PercentPageFile = page;
  status.PercentCache = work;
  return status;
}

const TRuleClock::time_point Reference = TRuleClock::time_point{} + 1'700'000'000s;

// Asks the rules Elapsed after the reference (before it when negative).
bool AskAfter(std::chrono::milliseconds elapsed, const MemoryStatus& status, const TRuleControls& rules,
              bool isRunning = false) {
  return RulesAskForClean(status, rules, Reference + elapsed, Reference, isRunning);
}

TEST(CleanRules, WholeSecondsAreTheTruncatedAbsoluteDifference) {
  struct TCase {
    TRuleClock::duration Difference;
    std::int64_t Expected;
  };
  const TCase cases[] = {
      {0s, 0}, {999ms, 0}, {1s, 1}, {1999ms, 1}, {-1999ms, 1}, {-300s, 300}, {299999999us, 299}, {1800s, 1800},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WholeSecondsBetween(Reference + c.Difference, Reference), c.Expected) << c.Difference.count();
    EXPECT_EQ(WholeSecondsBetween(Reference, Reference + c.Difference), c.Expected) << c.Difference.count();
  }
  // The widest possible span neither overflows nor turns negative.
  const std::int64_t widest = WholeSecondsBetween(TRuleClock::time_point::max(), TRuleClock::time_point::min());
  EXPECT_EQ(widest, WholeSecondsBetween(TRuleClock::time_point::min(), TRuleClock::time_point::max()));
  EXPECT_GT(widest, 0);
}

TEST(CleanRules, WithEveryRuleOffNothingEverFires) {
  const TRuleControls off{{false, u"30"}, {false, u"30"}, {false, u"30"}, {false, u"5"}};
  for (const auto elapsed : {0s, 300s, 86400s, -86400s, 100'000'000s}) {
    EXPECT_FALSE(AskAfter(elapsed, Sample(100, 100, 100), off)) << elapsed.count();
  }
}

TEST(CleanRules, EachUsageRuleComparesItsOwnPercentageInclusively) {
  struct TCase {
    const char* Name;
    MemoryStatus Status;
    TRuleControls Rules;
    bool Expected;
  };
  const TCase cases[] = {
      {"physical at its limit", Sample(90.0f, 0, 0), {{true, u"90"}, {}, {}, {}}, true},
      {"physical just under", Sample(89.99f, 0, 0), {{true, u"90"}, {}, {}, {}}, false},
      {"page file at its limit", Sample(0, 30.0f, 0), {{}, {true, u"30"}, {}, {}}, true},
      {"page file just under", Sample(0, 29.999f, 0), {{}, {true, u"30"}, {}, {}}, false},
      {"working set at its limit", Sample(0, 0, 70.0f), {{}, {}, {true, u"70"}, {}}, true},
      {"working set just under", Sample(0, 0, 69.99f), {{}, {}, {true, u"70"}, {}}, false},
      {"another rule's percentage does not count", Sample(95, 10, 95), {{}, {true, u"90"}, {}, {}}, false},
      {"an unchecked rule is skipped whatever it shows",
       Sample(95, 95, 95),
       {{false, u"30"}, {false, u"30"}, {false, u"30"}, {}},
       false},
      {"one rule holding is enough",
       Sample(10, 10, 95),
       {{true, u"90"}, {true, u"90"}, {true, u"90"}, {true, u"60"}},
       true},
      {"no item selected means 100 percent", Sample(99.99f, 0, 0), {{true, u""}, {}, {}, {}}, false},
      {"no item selected, full memory", Sample(100, 0, 0), {{true, u""}, {}, {}, {}}, true},
      {"a limit that is not a whole number means 100", Sample(99.9f, 0, 0), {{true, u"9O"}, {}, {}, {}}, false},
      {"a limit beyond 64 bits means 100", Sample(100, 0, 0), {{true, u"99999999999999999999"}, {}, {}, {}}, true},
  };
  for (const auto& c : cases) EXPECT_EQ(AskAfter(400s, c.Status, c.Rules), c.Expected) << c.Name;
}

TEST(CleanRules, NothingFiresWithinFiveMinutesOfTheReference) {
  const TRuleControls physAt90{{true, u"90"}, {}, {}, {}};
  const MemoryStatus high = Sample(95, 0, 0);
  for (int second = 0; second <= 600; ++second) {
    EXPECT_EQ(AskAfter(std::chrono::seconds(second), high, physAt90), second >= 300) << second << " s";
  }
  EXPECT_FALSE(AskAfter(299'999ms, high, physAt90));
  // A reference in the future (the clock was set back) counts the same.
  EXPECT_FALSE(AskAfter(-299'999ms, high, physAt90));
  EXPECT_TRUE(AskAfter(-300s, high, physAt90));
  EXPECT_TRUE(AskAfter(-100'000s, high, physAt90));
}

TEST(CleanRules, TheIntervalRuleWaitsItsMinutesAndAtLeastFive) {
  struct TCase {
    std::u16string_view Minutes;
    std::chrono::seconds FirstClean;
  };
  const TCase cases[] = {
      {u"30", 1800s}, {u"5", 300s},     {u"60", 3600s}, {u"1", 300s},  // the five-minute gap holds for the interval too
      {u"", 86400s},  {u"abc", 86400s},                                // not a whole number: a day
  };
  const MemoryStatus idle = Sample(10, 10, 10);
  for (const auto& c : cases) {
    const TRuleControls rules{{}, {}, {}, {true, c.Minutes}};
    EXPECT_FALSE(AskAfter(c.FirstClean - 1ms, idle, rules)) << testing::PrintToString(std::u16string(c.Minutes));
    EXPECT_TRUE(AskAfter(c.FirstClean, idle, rules)) << testing::PrintToString(std::u16string(c.Minutes));
    EXPECT_TRUE(AskAfter(-c.FirstClean, idle, rules)) << testing::PrintToString(std::u16string(c.Minutes));
  }
}

TEST(CleanRules, AHugeIntervalWaitsForeverInsteadOfWrapping) {
  const MemoryStatus idle = Sample(10, 10, 10);
  // Times 60, each of these passes the 64-bit range (the first only the 32-bit one); none
  // may wrap into a short or negative interval.
  for (const std::u16string_view minutes : {u"35791395", u"153722867280912931", u"9223372036854775807"}) {
    const TRuleControls rules{{}, {}, {}, {true, minutes}};
    EXPECT_FALSE(AskAfter(300s, idle, rules)) << testing::PrintToString(std::u16string(minutes));
  }
}

TEST(CleanRules, ARunningJobBlocksEveryRule) {
  const TRuleControls eachRule[] = {
      {{true, u"30"}, {}, {}, {}},
      {{}, {true, u"30"}, {}, {}},
      {{}, {}, {true, u"30"}, {}},
      {{}, {}, {}, {true, u"5"}},
  };
  for (const TRuleControls& rules : eachRule) {
    ASSERT_TRUE(AskAfter(86400s, Sample(95, 95, 95), rules));
    EXPECT_FALSE(AskAfter(86400s, Sample(95, 95, 95), rules, true));
  }
}

TEST(CleanRules, AWorkingSetReadAboveItsPeakFiresNothing) {
  MemoryStatus status = Sample(10, 10, 10);
  status.TotalCache = 300 * 1024 * 1024;
  status.AvailCache = 4095ull * 1024 * 1024;  // the peak minus a larger current size, wrapped in 32 bits
  status.PercentCache = static_cast<float>(UsagePercent(status.TotalCache, status.TotalCache - status.AvailCache));
  EXPECT_FALSE(AskAfter(400s, status, {{}, {}, {true, u"90"}, {}}));
}

}  // namespace
