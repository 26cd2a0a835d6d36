#pragma once

#include <string>
#include <string_view>

// wchar_t is a UTF-16 code unit on Windows, so portable u16 text crosses the API edge
// without conversion.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows text is UTF-16");

inline const wchar_t* AsWide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string FromWide(std::wstring_view text) {
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}
