#pragma once

#include <utility>

#include "win32/OwnedCounts.h"

// Owns one handle whose "none" is null and gives it back to the system once, with Free.
// The icon, registry-key and BSTR owners are this one owner with their own Free.
template <typename THandle, auto Free, TOwnedKind Kind>
class TUniqueOwner {
 public:
  TUniqueOwner() = default;
  explicit TUniqueOwner(THandle handle) { Reset(handle); }
  TUniqueOwner(const TUniqueOwner&) = delete;
  TUniqueOwner& operator=(const TUniqueOwner&) = delete;
  TUniqueOwner(TUniqueOwner&& other) noexcept : FHandle(std::exchange(other.FHandle, nullptr)) {}
  TUniqueOwner& operator=(TUniqueOwner&& other) noexcept {
    if (this != &other) {
      Reset();
      FHandle = std::exchange(other.FHandle, nullptr);
    }
    return *this;
  }
  ~TUniqueOwner() { Reset(); }

  THandle Get() const { return FHandle; }
  bool Valid() const { return FHandle != nullptr; }
  THandle Release() {
    if (FHandle != nullptr) NoteOwned(Kind, -1);
    return std::exchange(FHandle, nullptr);
  }

  // For an output parameter; gives back any handle held first. What the call writes is
  // counted as held once the call's full expression ends.
  class TReceiver {
   public:
    explicit TReceiver(TUniqueOwner& owner) : FOwner(owner) {}
    TReceiver(const TReceiver&) = delete;
    TReceiver& operator=(const TReceiver&) = delete;
    ~TReceiver() {
      if (FOwner.FHandle != nullptr) NoteOwned(Kind, 1);
    }
    operator THandle*() const { return &FOwner.FHandle; }

   private:
    TUniqueOwner& FOwner;
  };
  TReceiver Receive() {
    Reset();
    return TReceiver(*this);
  }

  void Reset(THandle handle = nullptr) {
    if (FHandle != nullptr) {
      Free(FHandle);
      NoteOwned(Kind, -1);
    }
    FHandle = handle;
    if (FHandle != nullptr) NoteOwned(Kind, 1);
  }

 private:
  THandle FHandle = nullptr;
};
