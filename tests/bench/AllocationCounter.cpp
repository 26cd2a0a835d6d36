// Replaces the global allocation functions of the benchmark program with ones that count.
// Kept in a file of its own: inlined into a caller, GCC takes the free of a block from
// this operator new for a mismatched deallocation.
#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::uint64_t> Allocations{0};

}  // namespace

std::uint64_t AllocationCount() {
  return Allocations.load(std::memory_order_relaxed);
}

void* operator new(std::size_t size) {
  Allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return ::operator new(size);
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete[](void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  std::free(block);
}
