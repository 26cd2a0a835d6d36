#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct TLocalTime {
  int Year = 0;
  int Month = 0;
  int Day = 0;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
};

// Returns a number from 0 to Bound - 1.
using TRandomBelow = std::function<std::uint32_t(std::uint32_t bound)>;
using TLocalClock = std::function<TLocalTime()>;

// The 32-character client identifier: 8 hex digits of a random number below 2^31 - 1,
// the date "yymmdd", 4 hex digits of a random number below 65535, the time "hhnnss" and
// 8 more hex digits. The clock is read once for the date and again for the time.
std::u16string ComposeClientId(const TLocalClock& clock, const TRandomBelow& randomBelow);
