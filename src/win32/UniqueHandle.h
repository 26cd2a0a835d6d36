#pragma once

#include <windows.h>

#include <utility>

#include "win32/OwnedCounts.h"

// Owns a kernel handle and closes it once. Null and INVALID_HANDLE_VALUE both mean "none".
class TUniqueHandle {
 public:
  TUniqueHandle() = default;
  explicit TUniqueHandle(HANDLE handle) { Reset(handle); }
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;
  TUniqueHandle(TUniqueHandle&& other) noexcept : FHandle(std::exchange(other.FHandle, nullptr)) {}
  TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      FHandle = std::exchange(other.FHandle, nullptr);
    }
    return *this;
  }
  ~TUniqueHandle() { Reset(); }

  HANDLE Get() const { return FHandle; }
  bool Valid() const { return FHandle != nullptr && FHandle != INVALID_HANDLE_VALUE; }
  HANDLE Release() {
    if (Valid()) NoteOwned(TOwnedKind::Handle, -1);
    return std::exchange(FHandle, nullptr);
  }
  void Reset(HANDLE handle = nullptr) {
    if (Valid()) {
      ::CloseHandle(FHandle);
      NoteOwned(TOwnedKind::Handle, -1);
    }
    FHandle = handle;
    if (Valid()) NoteOwned(TOwnedKind::Handle, 1);
  }

 private:
  HANDLE FHandle = nullptr;
};
