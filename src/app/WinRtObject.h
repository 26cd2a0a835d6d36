#pragma once

#include "app/ToastAbi.h"
#include "win32/UniqueOwner.h"

// Gives back one reference to a Windows Runtime object declared in the C layout of
// app/ToastAbi.h. Every such interface starts with IInspectable's slots.
template <typename TInterface>
void ReleaseWinRtObject(TInterface* object) {
  auto* inspectable = reinterpret_cast<winrtabi::IInspectable*>(object);
  inspectable->lpVtbl->Release(inspectable);
}

// Owns one reference to such an object and releases it once.
template <typename TInterface>
class TWinRtObject : public TUniqueOwner<TInterface*, &ReleaseWinRtObject<TInterface>, TOwnedKind::ComObject> {
 public:
  TInterface* operator->() const { return this->Get(); }
  explicit operator bool() const { return this->Valid(); }

  // Asks the object for another of its interfaces.
  template <typename TOther>
  HRESULT QueryInterface(REFIID iid, TWinRtObject<TOther>& other) const {
    if (!this->Valid()) return E_POINTER;
    auto* inspectable = reinterpret_cast<winrtabi::IInspectable*>(this->Get());
    return inspectable->lpVtbl->QueryInterface(inspectable, iid,
                                               reinterpret_cast<void**>(static_cast<TOther**>(other.Receive())));
  }
};
