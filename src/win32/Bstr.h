#pragma once

#include <oleauto.h>
#include <windows.h>

#include <string_view>
#include <utility>

// Owns one BSTR and frees it once. Text that cannot be allocated leaves it null, which
// callers treat as a failure.
class TBstr {
 public:
  TBstr() = default;
  explicit TBstr(std::wstring_view text) : FText(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  TBstr(const TBstr&) = delete;
  TBstr& operator=(const TBstr&) = delete;
  TBstr(TBstr&& other) noexcept : FText(std::exchange(other.FText, nullptr)) {}
  TBstr& operator=(TBstr&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.FText, nullptr));
    return *this;
  }
  ~TBstr() { Reset(); }

  BSTR Get() const { return FText; }
  explicit operator bool() const { return FText != nullptr; }
  // A null BSTR is the empty text by COM's convention.
  std::wstring_view View() const {
    return FText == nullptr ? std::wstring_view() : std::wstring_view(FText, ::SysStringLen(FText));
  }
  // For an output parameter; frees any text held.
  BSTR* Receive() {
    Reset();
    return &FText;
  }
  void Reset(BSTR text = nullptr) {
    if (FText != nullptr) ::SysFreeString(FText);
    FText = text;
  }

 private:
  BSTR FText = nullptr;
};
