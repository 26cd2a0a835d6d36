#pragma once

#include <objbase.h>

// COM for the calling thread for one scope; released only if this scope initialised it.
class TComInitialization {
 public:
  explicit TComInitialization(DWORD flags = COINIT_APARTMENTTHREADED) : FResult(::CoInitializeEx(nullptr, flags)) {}
  TComInitialization(const TComInitialization&) = delete;
  TComInitialization& operator=(const TComInitialization&) = delete;
  ~TComInitialization() {
    if (Succeeded()) ::CoUninitialize();
  }

  bool Succeeded() const { return SUCCEEDED(FResult); }
  HRESULT Result() const { return FResult; }

 private:
  HRESULT FResult;
};
