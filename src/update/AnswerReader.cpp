#include "update/AnswerReader.h"

#include <optional>

namespace {

char16_t AsciiUpper(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

std::u16string AsciiUpperCopy(std::u16string_view text) {
  std::u16string copy(text);
  for (char16_t& c : copy) c = AsciiUpper(c);
  return copy;
}

// Turns every backslash-quote pair into two backslashes, left to right without overlap, so
// an escaped quote is not taken for the end of the value. The length stays the same, so
// positions in the copy are positions in the text.
void MaskEscapedQuotes(std::u16string& searchCopy, char16_t quote) {
  for (std::size_t i = 0; i + 1 < searchCopy.size(); ++i) {
    if (searchCopy[i] == u'\\' && searchCopy[i + 1] == quote) {
      searchCopy[i + 1] = u'\\';
      ++i;
    }
  }
}

std::optional<unsigned> HexDigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return std::nullopt;
}

// The value of up to four hexadecimal digits; at least one must be there.
char16_t CodeUnitOf(std::u16string_view digits) {
  if (digits.empty()) throw TUnescapeError("\\u escape without digits at the end of a value");
  unsigned value = 0;
  for (const char16_t c : digits) {
    const auto digit = HexDigitValue(c);
    if (!digit) throw TUnescapeError("\\u escape with a character that is not hexadecimal");
    value = value * 16 + *digit;
  }
  return static_cast<char16_t>(value);
}

std::u16string ReadQuotedField(std::u16string_view text, std::u16string_view key) {
  return UnescapeJson(ExtractBetween(text, key, u"\""));
}

}  // namespace

std::u16string ExtractBetween(std::u16string_view text, std::u16string_view startMarker,
                              std::u16string_view endMarker) {
  std::u16string searchCopy = AsciiUpperCopy(text);
  const std::u16string start = AsciiUpperCopy(startMarker);
  const std::u16string end = AsciiUpperCopy(endMarker);
  if (end == u"\"" || end == u"'") MaskEscapedQuotes(searchCopy, end.front());

  std::size_t begin = 0;
  if (!start.empty()) {
    const std::size_t found = searchCopy.find(start);
    if (found == std::u16string::npos) return {};
    begin = found + start.size();
  }
  std::size_t stop = text.size();
  if (!end.empty()) {
    stop = searchCopy.find(end, begin);
    if (stop == std::u16string::npos) return {};
  }
  return std::u16string(text.substr(begin, stop - begin));
}

std::u16string UnescapeJson(std::u16string_view value) {
  std::u16string result;
  result.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != u'\\') {
      result.push_back(value[i]);
      continue;
    }
    if (++i == value.size()) break;  // a trailing backslash gives nothing
    switch (const char16_t escaped = value[i]) {
      case u'"':
      case u'\'':
      case u'/':
      case u'\\':
        result.push_back(escaped);
        break;
      case u'b':
        result.push_back(u'\b');
        break;
      case u'f':
        result.push_back(u'\f');
        break;
      case u'n':
        result.push_back(u'\n');
        break;
      case u'r':
        result.push_back(u'\r');
        break;
      case u't':
        result.push_back(u'\t');
        break;
      case u'u': {
        const std::u16string_view digits = value.substr(i + 1, 4);
        result.push_back(CodeUnitOf(digits));
        i += digits.size();
        break;
      }
      default:
        break;  // unknown escapes are dropped with their backslash
    }
  }
  return result;
}

std::u16string ReadUpdateLink(std::u16string_view body) {
  return ReadQuotedField(body, u"\"update\":\"");
}

TServiceAnswer ReadServiceAnswer(std::u16string_view body) {
  TServiceAnswer answer;
  answer.Update = ReadUpdateLink(body);
  answer.Info = ExtractBetween(body, u"\"info\":{", u"}");
  answer.Style = ReadQuotedField(answer.Info, u"\"style\":\"");
  answer.Text = ReadQuotedField(answer.Info, u"\"text\":\"");
  answer.Flag = ReadQuotedField(answer.Info, u"\"flag\":\"");
  answer.Url = ReadQuotedField(answer.Info, u"\"url\":\"");
  return answer;
}
