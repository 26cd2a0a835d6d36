#include "update/LinkFilter.h"

#include <algorithm>

#include "i18n/TextRules.h"

namespace {

bool StartsWithIgnoringAsciiCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && SameTextAscii(text.substr(0, prefix.size()), prefix);
}

bool IsControlCharacter(char16_t c) {
  return c < 0x20 || c == 0x7F;
}

}  // namespace

bool IsWebLink(std::u16string_view target) {
  std::u16string_view rest;
  if (StartsWithIgnoringAsciiCase(target, u"https://")) {
    rest = target.substr(8);
  } else if (StartsWithIgnoringAsciiCase(target, u"http://")) {
    rest = target.substr(7);
  } else {
    return false;
  }
  if (rest.empty() || rest.front() == u'/' || rest.front() == u'\\') return false;
  return std::none_of(target.begin(), target.end(), IsControlCharacter);
}
