#pragma once

#include <windows.h>

#include <utility>

// Owns an icon made or loaded for this process (not a shared one) and destroys it once.
class TIconHandle {
 public:
  explicit TIconHandle(HICON icon = nullptr) : FIcon(icon) {}
  TIconHandle(const TIconHandle&) = delete;
  TIconHandle& operator=(const TIconHandle&) = delete;
  TIconHandle(TIconHandle&& other) noexcept : FIcon(std::exchange(other.FIcon, nullptr)) {}
  TIconHandle& operator=(TIconHandle&& other) noexcept {
    if (this != &other) {
      if (FIcon != nullptr) ::DestroyIcon(FIcon);
      FIcon = std::exchange(other.FIcon, nullptr);
    }
    return *this;
  }
  ~TIconHandle() {
    if (FIcon != nullptr) ::DestroyIcon(FIcon);
  }
  HICON Get() const { return FIcon; }

 private:
  HICON FIcon;
};
