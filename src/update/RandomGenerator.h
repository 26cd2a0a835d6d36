#pragma once

#include <cstdint>
#include <mutex>
#include <random>

// The process's pseudo-random generator. Safe to call from any thread.
class TRandomGenerator {
 public:
  explicit TRandomGenerator(std::uint64_t seed) : FEngine(seed) {}

  // A number from 0 to Bound - 1; 0 when Bound is 0.
  std::uint32_t Below(std::uint32_t bound) {
    if (bound == 0) return 0;
    const std::lock_guard lock(FMutex);
    return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(FEngine);
  }

 private:
  std::mutex FMutex;
  std::mt19937_64 FEngine;
};
