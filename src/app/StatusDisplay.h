#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/NumberFormat.h"
#include "memory/MemoryStatus.h"

// Bytes in displayed megabytes (1048576 bytes), rounded to the nearest, ties to even.
std::uint64_t WholeMegabytes(std::uint64_t bytes);

// The nearest whole number, ties to even (the progress bar position); NaN gives 0 and
// values beyond the range of int give its nearest end.
int RoundHalfEven(double value);

// What one tick shows on the home page.
struct TStatusDisplay {
  std::u16string PhysStatus, VirtualStatus, WorkingStatus;
  int ProgressPosition = 0;
};

// The three lines and the bar position of one tick (physical line with the translated
// format FmtPhysStatus, the other two with the fixed "%.0n MB (%n%%)"). Throws TFormatError.
// Allocates nothing but the three texts.
TStatusDisplay ComposeStatusDisplay(const MemoryStatus& status, std::u16string_view fmtPhysStatus,
                                    const TNumberFormat& numbers);
