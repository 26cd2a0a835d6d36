#include "update/ServiceUrl.h"

#include <algorithm>

#include "i18n/AsciiText.h"

namespace {

bool StartsWithIgnoringAsciiCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && SameTextAscii(text.substr(0, prefix.size()), prefix);
}

bool IsSpaceOrControl(char16_t c) {
  return c <= 0x20 || c == 0x7F;
}

std::optional<unsigned short> ParsePort(std::u16string_view digits) {
  if (digits.empty()) return std::nullopt;
  unsigned value = 0;
  for (const char16_t c : digits) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
    if (value > 65535) return std::nullopt;
  }
  if (value == 0) return std::nullopt;
  return static_cast<unsigned short>(value);
}

}  // namespace

std::optional<TServiceUrl> SplitServiceUrl(std::u16string_view url) {
  if (std::any_of(url.begin(), url.end(), IsSpaceOrControl)) return std::nullopt;
  TServiceUrl result{};
  std::u16string_view rest;
  if (StartsWithIgnoringAsciiCase(url, u"https://")) {
    result.Secure = true;
    result.Port = 443;
    rest = url.substr(8);
  } else if (StartsWithIgnoringAsciiCase(url, u"http://")) {
    result.Secure = false;
    result.Port = 80;
    rest = url.substr(7);
  } else {
    return std::nullopt;
  }

  rest = rest.substr(0, rest.find(u'#'));
  const std::size_t authorityEnd = std::min(rest.find_first_of(u"/?"), rest.size());
  const std::u16string_view authority = rest.substr(0, authorityEnd);
  if (authority.find_first_of(u"@[]\\") != std::u16string_view::npos) return std::nullopt;

  const std::size_t colon = authority.find(u':');
  result.Host = std::u16string(authority.substr(0, colon));
  if (result.Host.empty()) return std::nullopt;
  if (colon != std::u16string_view::npos) {
    const auto port = ParsePort(authority.substr(colon + 1));
    if (!port) return std::nullopt;
    result.Port = *port;
  }

  const std::u16string_view path = rest.substr(authorityEnd);
  result.Path = path.empty() || path.front() != u'/' ? u"/" + std::u16string(path) : std::u16string(path);
  return result;
}
