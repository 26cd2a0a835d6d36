#include "app/CleanRules.h"

#include <limits>
#include <optional>

#include "app/MeasureUsage.h"

namespace {

constexpr std::int64_t MinimumGapSeconds = 300;
constexpr std::int64_t UsageFallbackPercent = 100;
constexpr std::int64_t IntervalFallbackMinutes = 1440;
constexpr std::int64_t SecondsPerMinute = 60;

// An optional sign and decimal digits, within the 64-bit range; anything else (an empty
// text included) is not a whole number.
std::optional<std::int64_t> WholeNumber(std::u16string_view text) {
  const bool negative = !text.empty() && text.front() == u'-';
  if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  // Accumulated as a magnitude so that the most negative number is accepted too.
  constexpr std::uint64_t positiveLimit = std::numeric_limits<std::int64_t>::max();
  const std::uint64_t limit = negative ? positiveLimit + 1 : positiveLimit;
  std::uint64_t magnitude = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    const auto digit = static_cast<std::uint64_t>(c - u'0');
    if (magnitude > (limit - digit) / 10) return std::nullopt;
    magnitude = magnitude * 10 + digit;
  }
  if (!negative) return static_cast<std::int64_t>(magnitude);
  return magnitude == positiveLimit + 1 ? std::numeric_limits<std::int64_t>::min()
                                        : -static_cast<std::int64_t>(magnitude);
}

bool UsageRuleHolds(const TRuleControl& rule, const TMeasureUsage& usage) {
  if (!rule.Checked) return false;
  const std::int64_t limit = WholeNumber(rule.LimitText).value_or(UsageFallbackPercent);
  // long double holds both the float and any 64-bit limit exactly; NaN never reaches it.
  return static_cast<long double>(usage.Percent) >= static_cast<long double>(limit);
}

// The interval in seconds, saturated: a limit of billions of minutes waits forever
// instead of wrapping into a small or negative interval.
std::int64_t IntervalSeconds(std::int64_t minutes) {
  constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t least = std::numeric_limits<std::int64_t>::min();
  if (minutes > most / SecondsPerMinute) return most;
  if (minutes < least / SecondsPerMinute) return least;
  return minutes * SecondsPerMinute;
}

bool IntervalRuleHolds(const TRuleControl& rule, std::int64_t elapsedSeconds) {
  if (!rule.Checked) return false;
  return elapsedSeconds >= IntervalSeconds(WholeNumber(rule.LimitText).value_or(IntervalFallbackMinutes));
}

}  // namespace

std::int64_t WholeSecondsBetween(TRuleClock::time_point a, TRuleClock::time_point b) {
  using TPeriod = TRuleClock::period;
  static_assert(TPeriod::num == 1 && TPeriod::den % 1000 == 0, "clock ticks divide a millisecond");
  // The difference of two signed tick counts always fits an unsigned 64-bit number.
  const auto ticksA = static_cast<std::uint64_t>(a.time_since_epoch().count());
  const auto ticksB = static_cast<std::uint64_t>(b.time_since_epoch().count());
  const std::uint64_t ticks = a >= b ? ticksA - ticksB : ticksB - ticksA;
  // Whole milliseconds, then whole seconds: the same as whole seconds of the ticks.
  return static_cast<std::int64_t>(ticks / static_cast<std::uint64_t>(TPeriod::den));
}

bool RulesAskForClean(const MemoryStatus& status, const TRuleControls& rules, TRuleClock::time_point now,
                      TRuleClock::time_point nextTime, bool isRunning) {
  if (isRunning) return false;
  const std::int64_t elapsed = WholeSecondsBetween(now, nextTime);
  // Every rule is looked at; any one that holds is enough.
  bool fire = false;
  fire |= UsageRuleHolds(rules.UsagePhys, MeasureUsage(status.TotalPhys, status.AvailPhys, status.PercentPhys));
  fire |=
      UsageRuleHolds(rules.UsagePage, MeasureUsage(status.TotalPageFile, status.AvailPageFile, status.PercentPageFile));
  fire |= UsageRuleHolds(rules.UsageWork, MeasureUsage(status.TotalCache, status.AvailCache, status.PercentCache));
  fire |= IntervalRuleHolds(rules.Minute, elapsed);
  return fire && elapsed >= MinimumGapSeconds;
}
