#pragma once

#include <windows.h>

#include <utility>

// Owns an open registry key and closes it once.
class TRegistryKey {
 public:
  TRegistryKey() = default;
  TRegistryKey(const TRegistryKey&) = delete;
  TRegistryKey& operator=(const TRegistryKey&) = delete;
  TRegistryKey(TRegistryKey&& other) noexcept : FKey(std::exchange(other.FKey, nullptr)) {}
  TRegistryKey& operator=(TRegistryKey&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.FKey, nullptr));
    return *this;
  }
  ~TRegistryKey() { Reset(); }

  HKEY Get() const { return FKey; }
  bool Valid() const { return FKey != nullptr; }
  // For the output parameter of RegCreateKeyExW and RegOpenKeyExW; closes any key held.
  HKEY* Receive() {
    Reset();
    return &FKey;
  }
  void Reset(HKEY key = nullptr) {
    if (FKey != nullptr) ::RegCloseKey(FKey);
    FKey = key;
  }

 private:
  HKEY FKey = nullptr;
};
