#pragma once

#include <chrono>
#include <cstdint>
#include <string_view>

#include "memory/MemoryStatus.h"

// The state of one rule's controls on the settings page: its check box, and the text of
// the item selected in its list (empty when none is).
struct TRuleControl {
  bool Checked = false;
  std::u16string_view LimitText;
};

struct TRuleControls {
  TRuleControl UsagePhys, UsagePage, UsageWork, Minute;
};

using TRuleClock = std::chrono::system_clock;

// The absolute difference of two times in whole seconds, truncated (1.999 s is 1), so a
// reference in the future counts the same as one in the past. Never overflows.
std::int64_t WholeSecondsBetween(TRuleClock::time_point a, TRuleClock::time_point b);

// True when a clean should start now (already false while a job runs). The four rules are
// alternatives: a usage rule holds when its percentage reaches its limit (an item that is
// not a whole number counts as 100), the interval rule when the limit's minutes (1440 if
// not a whole number) have passed since NextTime. Nothing fires within 300 seconds of
// NextTime, the time of the last clean or rule change.
bool RulesAskForClean(const MemoryStatus& status, const TRuleControls& rules, TRuleClock::time_point now,
                      TRuleClock::time_point nextTime, bool isRunning);
