#include "i18n/TextRules.h"

#include <algorithm>

std::u16string ConvertEscapes(std::u16string_view text) {
  std::u16string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == u'n') {
      result.push_back(u'\r');
      ++i;
    } else {
      result.push_back(text[i]);
    }
  }
  return result;
}

namespace {

char16_t FoldAscii(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

}  // namespace

bool SameTextAscii(std::u16string_view left, std::u16string_view right) {
  return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                    [](char16_t a, char16_t b) { return FoldAscii(a) == FoldAscii(b); });
}
