#pragma once

#include <algorithm>
#include <string_view>

// Equal when they differ at most in the case of the ASCII letters A-Z. Every other
// character (accented and Cyrillic letters, bytes outside ASCII) must match exactly, so
// names compare the same way on every machine whatever its locale.
template <typename TChar>
bool SameTextAsciiOf(std::basic_string_view<TChar> left, std::basic_string_view<TChar> right) {
  const auto fold = [](TChar c) { return (c >= 'A' && c <= 'Z') ? static_cast<TChar>(c - 'A' + 'a') : c; };
  return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                    [&fold](TChar a, TChar b) { return fold(a) == fold(b); });
}

inline bool SameTextAscii(std::string_view left, std::string_view right) {
  return SameTextAsciiOf(left, right);
}
inline bool SameTextAscii(std::u16string_view left, std::u16string_view right) {
  return SameTextAsciiOf(left, right);
}
