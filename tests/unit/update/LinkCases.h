#pragma once

#include <string_view>

// Targets a link from the web service might carry, and whether the shell may open them:
// only absolute http and https links with a host, nothing that runs or reads files.
struct TLinkCase {
  std::u16string_view Target;
  bool Opens;
};

inline constexpr TLinkCase LinkCases[] = {
    {u"https://example.com/update", true},
    {u"http://example.com/notice?id=3#top", true},
    {u"HTTPS://EXAMPLE.COM", true},
    {u"HtTp://example.com", true},
    {u"file:///C:/Windows/System32/calc.exe", false},
    {u"C:\\Windows\\notepad.exe", false},
    {u"\\\\server\\share\\x.exe", false},
    {u"javascript:alert(1)", false},
    {u"ms-settings:", false},
    {u"", false},
    {u"https://", false},
    {u"https:///C:/x.exe", false},
    {u"http://\\\\server\\share", false},
    {u"http:example.com", false},
    {u" https://example.com", false},
    {u"https://example.com/\r\nx", false},
    {u"httpx://example.com", false},
    {u"notepad.exe https://example.com", false},
};
