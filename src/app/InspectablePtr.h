#pragma once

#include <utility>

#include "app/ToastAbi.h"

// Owns one reference to a Windows Runtime object declared in the C layout of
// app/ToastAbi.h, and releases it once. Every such interface starts with IInspectable's
// slots, so one owner serves them all.
template <typename TInterface>
class TInspectablePtr {
 public:
  TInspectablePtr() = default;
  TInspectablePtr(const TInspectablePtr&) = delete;
  TInspectablePtr& operator=(const TInspectablePtr&) = delete;
  TInspectablePtr(TInspectablePtr&& other) noexcept : FPointer(std::exchange(other.FPointer, nullptr)) {}
  TInspectablePtr& operator=(TInspectablePtr&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.FPointer, nullptr));
    return *this;
  }
  ~TInspectablePtr() { Reset(); }

  TInterface* Get() const { return FPointer; }
  TInterface* operator->() const { return FPointer; }
  explicit operator bool() const { return FPointer != nullptr; }

  // For an output parameter; releases any object held.
  TInterface** Receive() {
    Reset();
    return &FPointer;
  }
  void Reset(TInterface* pointer = nullptr) {
    if (FPointer != nullptr) AsInspectable()->lpVtbl->Release(AsInspectable());
    FPointer = pointer;
  }

  // Asks the object for another of its interfaces.
  template <typename TOther>
  HRESULT QueryInterface(REFIID iid, TInspectablePtr<TOther>& other) const {
    if (FPointer == nullptr) return E_POINTER;
    return AsInspectable()->lpVtbl->QueryInterface(AsInspectable(), iid, reinterpret_cast<void**>(other.Receive()));
  }

 private:
  winrtabi::IInspectable* AsInspectable() const { return reinterpret_cast<winrtabi::IInspectable*>(FPointer); }

  TInterface* FPointer = nullptr;
};
