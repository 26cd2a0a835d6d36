#pragma once

#include <windows.h>

#include <utility>

// Owns an icon made at run time and destroys it once. (Shared icons from LoadIcon must not
// be destroyed: do not hand them to this owner.)
class TIconHandle {
 public:
  TIconHandle() = default;
  explicit TIconHandle(HICON icon) : FIcon(icon) {}
  TIconHandle(const TIconHandle&) = delete;
  TIconHandle& operator=(const TIconHandle&) = delete;
  TIconHandle(TIconHandle&& other) noexcept : FIcon(std::exchange(other.FIcon, nullptr)) {}
  TIconHandle& operator=(TIconHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.FIcon, nullptr));
    return *this;
  }
  ~TIconHandle() { Reset(); }

  HICON Get() const { return FIcon; }
  bool Valid() const { return FIcon != nullptr; }
  HICON Release() { return std::exchange(FIcon, nullptr); }
  void Reset(HICON icon = nullptr) {
    if (FIcon != nullptr) ::DestroyIcon(FIcon);
    FIcon = icon;
  }

 private:
  HICON FIcon = nullptr;
};
