#pragma once

#include <cstdint>

// How many times this process has called the global operator new (or new[]) so far.
std::uint64_t AllocationCount();
