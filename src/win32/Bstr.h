#pragma once

#include <oleauto.h>
#include <windows.h>

#include <string_view>

#include "win32/UniqueOwner.h"

// Owns one BSTR and frees it once. Text that cannot be allocated leaves it null, which
// callers treat as a failure.
class TBstr : public TUniqueOwner<BSTR, &::SysFreeString, TOwnedKind::ComObject> {
 public:
  TBstr() = default;
  explicit TBstr(std::wstring_view text)
      : TUniqueOwner(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}

  explicit operator bool() const { return Valid(); }
  // A null BSTR is the empty text by COM's convention.
  std::wstring_view View() const {
    return Get() == nullptr ? std::wstring_view() : std::wstring_view(Get(), ::SysStringLen(Get()));
  }
};
