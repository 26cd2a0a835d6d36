#include "app/StatusDisplay.h"

#include <cmath>
#include <limits>

#include "app/MeasureUsage.h"

namespace {

// The commit and file-cache lines are not translated.
constexpr std::u16string_view FmtUsageStatus = u"%.0n MB (%n%%)";

double Megabytes(std::uint64_t bytes) {
  // Whole megabytes stay below 2^44, so the double holds them exactly.
  return static_cast<double>(WholeMegabytes(bytes));
}

}  // namespace

std::uint64_t WholeMegabytes(std::uint64_t bytes) {
  constexpr std::uint64_t half = 1u << 19;
  const std::uint64_t whole = bytes >> 20;
  const std::uint64_t rest = bytes & ((1u << 20) - 1);
  const bool up = rest > half || (rest == half && (whole & 1) != 0);
  return whole + (up ? 1 : 0);
}

int RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  if (value >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  const double below = std::floor(value);
  const double fraction = value - below;  // exact: the fraction of a double is a double
  const auto whole = static_cast<int>(below);
  if (fraction > 0.5 || (fraction == 0.5 && whole % 2 != 0)) return whole + 1;
  return whole;
}

TStatusDisplay ComposeStatusDisplay(const MemoryStatus& status, std::u16string_view fmtPhysStatus,
                                    const TNumberFormat& numbers) {
  const TMeasureUsage phys = MeasureUsage(status.TotalPhys, status.AvailPhys, status.PercentPhys);
  const TMeasureUsage page = MeasureUsage(status.TotalPageFile, status.AvailPageFile, status.PercentPageFile);
  const TMeasureUsage cache = MeasureUsage(status.TotalCache, status.AvailCache, status.PercentCache);

  TStatusDisplay display;
  display.PhysStatus =
      FormatNumbers(fmtPhysStatus, {Megabytes(phys.UsedBytes), Megabytes(status.TotalPhys), phys.Percent}, numbers);
  display.VirtualStatus = FormatNumbers(FmtUsageStatus, {Megabytes(page.UsedBytes), page.Percent}, numbers);
  display.WorkingStatus = FormatNumbers(FmtUsageStatus, {Megabytes(cache.UsedBytes), cache.Percent}, numbers);
  display.ProgressPosition = RoundHalfEven(phys.Percent);
  return display;
}
