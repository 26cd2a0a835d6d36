#pragma once

#include <utility>

// Owns one handle whose "none" is null and gives it back to the system once, with Free.
// The icon, registry-key and BSTR owners are this one owner with their own Free.
template <typename THandle, auto Free>
class TUniqueOwner {
 public:
  TUniqueOwner() = default;
  explicit TUniqueOwner(THandle handle) : FHandle(handle) {}
  TUniqueOwner(const TUniqueOwner&) = delete;
  TUniqueOwner& operator=(const TUniqueOwner&) = delete;
  TUniqueOwner(TUniqueOwner&& other) noexcept : FHandle(std::exchange(other.FHandle, nullptr)) {}
  TUniqueOwner& operator=(TUniqueOwner&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.FHandle, nullptr));
    return *this;
  }
  ~TUniqueOwner() { Reset(); }

  THandle Get() const { return FHandle; }
  bool Valid() const { return FHandle != nullptr; }
  THandle Release() { return std::exchange(FHandle, nullptr); }
  // For an output parameter; gives back any handle held first.
  THandle* Receive() {
    Reset();
    return &FHandle;
  }
  void Reset(THandle handle = nullptr) {
    if (FHandle != nullptr) Free(FHandle);
    FHandle = handle;
  }

 private:
  THandle FHandle = nullptr;
};
