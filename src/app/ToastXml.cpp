#include "app/ToastXml.h"

namespace {

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// XML 1.0 allows tab, line feed and carriage return below U+0020, and excludes U+FFFE and U+FFFF.
bool IsDroppedCharacter(char16_t c) {
  return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF;
}

}  // namespace

std::u16string EscapeXmlText(std::u16string_view text) {
  std::u16string escaped;
  escaped.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      escaped += c;
      escaped += text[++i];
      continue;
    }
    if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      escaped += u'\uFFFD';
      continue;
    }
    if (IsDroppedCharacter(c)) continue;
    switch (c) {
      case u'&':
        escaped += u"&amp;";
        break;
      case u'<':
        escaped += u"&lt;";
        break;
      case u'>':
        escaped += u"&gt;";
        break;
      case u'"':
        escaped += u"&quot;";
        break;
      case u'\'':
        escaped += u"&apos;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::u16string ToastXml(std::u16string_view title, std::u16string_view body) {
  return u"<toast><visual><binding template=\"ToastGeneric\"><text>" + EscapeXmlText(title) + u"</text><text>" +
         EscapeXmlText(body) + u"</text></binding></visual></toast>";
}
