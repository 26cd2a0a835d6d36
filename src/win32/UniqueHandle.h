#pragma once

#include <windows.h>

#include <utility>

// Owns a kernel handle and closes it once. Null and INVALID_HANDLE_VALUE both mean "none".
class TUniqueHandle {
 public:
  TUniqueHandle() = default;
  explicit TUniqueHandle(HANDLE handle) : FHandle(handle) {}
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;
  TUniqueHandle(TUniqueHandle&& other) noexcept : FHandle(std::exchange(other.FHandle, nullptr)) {}
  TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.FHandle, nullptr));
    return *this;
  }
  ~TUniqueHandle() { Reset(); }

  HANDLE Get() const { return FHandle; }
  bool Valid() const { return FHandle != nullptr && FHandle != INVALID_HANDLE_VALUE; }
  HANDLE Release() { return std::exchange(FHandle, nullptr); }
  void Reset(HANDLE handle = nullptr) {
    if (Valid()) ::CloseHandle(FHandle);
    FHandle = handle;
  }

 private:
  HANDLE FHandle = nullptr;
};
