#pragma once

#include <cstdint>

// What the status cycle takes from one measure of a sample: the bytes in use and the
// usage percentage.
struct TMeasureUsage {
  std::uint64_t UsedBytes = 0;
  float Percent = 0;
};

// Used bytes are total minus available. A sample whose available bytes exceed its total
// (the file cache's current and peak sizes are read without a lock, so the peak can lag
// behind the current size) would wrap that difference to some sixteen exabytes and its
// percentage to billions: such a measure reads as nothing in use, so that it neither shows
// nonsense nor fires a usage rule for that one tick.
inline TMeasureUsage MeasureUsage(std::uint64_t total, std::uint64_t avail, float percent) {
  if (avail > total) return {};
  return {total - avail, percent};
}
