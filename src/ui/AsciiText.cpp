#include "ui/AsciiText.h"

#include <algorithm>

namespace {

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool SameTextAscii(std::string_view left, std::string_view right) {
  return std::ranges::equal(left, right, [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}
