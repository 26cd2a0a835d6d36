#include "i18n/TextRules.h"

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
