#pragma once

#include <atomic>

// How many system objects our owners hold right now, by kind. A long run must give back
// everything it takes; these counts show it even where the system's own counters are not
// available (under Wine they answer 0), and the test build reads them from outside.
enum class TOwnedKind { Handle, GdiObject, ComObject };
inline constexpr int OwnedKindCount = 3;

inline std::atomic<long> OwnedCounts[OwnedKindCount];

inline void NoteOwned(TOwnedKind kind, long change) {
  OwnedCounts[static_cast<int>(kind)].fetch_add(change, std::memory_order_relaxed);
}

inline long OwnedCount(TOwnedKind kind) {
  return OwnedCounts[static_cast<int>(kind)].load(std::memory_order_relaxed);
}
