#include "update/HeaderValue.h"

#include <algorithm>

std::u16string HeaderValue(std::u16string_view value) {
  const bool printable = std::all_of(value.begin(), value.end(), [](char16_t c) { return c >= 0x20 && c <= 0x7E; });
  return printable ? std::u16string(value) : std::u16string();
}
