#include "i18n/Utf8.h"

#include <cstdint>

namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

void AppendUtf16(std::u16string& out, char32_t codePoint) {
  if (codePoint < 0x10000) {
    out.push_back(static_cast<char16_t>(codePoint));
  } else {
    codePoint -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
  }
}

// Decodes one UTF-8 sequence at position; advances position past it. Overlong forms,
// surrogates and values above U+10FFFF are malformed and yield one replacement character
// for their lead byte.
char32_t DecodeOne(std::string_view bytes, std::size_t& position) {
  const auto lead = static_cast<std::uint8_t>(bytes[position++]);
  if (lead < 0x80) return lead;
  // Continuation bytes, payload of the lead byte, and the smallest value that needs
  // this many bytes (anything below is an overlong form).
  int length = 0;
  char32_t codePoint = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 1;
    codePoint = lead & 0x1F;
    minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 2;
    codePoint = lead & 0x0F;
    minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 3;
    codePoint = lead & 0x07;
    minimum = 0x10000;
  } else {
    return ReplacementCharacter;
  }
  std::size_t next = position;
  for (int i = 0; i < length; ++i, ++next) {
    if (next >= bytes.size()) return ReplacementCharacter;
    const auto continuation = static_cast<std::uint8_t>(bytes[next]);
    if ((continuation & 0xC0) != 0x80) return ReplacementCharacter;
    codePoint = (codePoint << 6) | (continuation & 0x3F);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return ReplacementCharacter;
  }
  position = next;
  return codePoint;
}

}  // namespace

std::u16string DecodeUtf8(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  std::size_t position = 0;
  while (position < bytes.size()) AppendUtf16(text, DecodeOne(bytes, position));
  return text;
}
