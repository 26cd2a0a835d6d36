#include <gtest/gtest.h>

#include "update/LinkFilter.h"

namespace {

TEST(LinkFilter, OnlyAbsoluteWebLinksReachTheShell) {
  struct TCase {
    std::u16string_view Target;
    bool Opens;
  };
  const TCase cases[] = {
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
  for (const auto& c : cases) {
    EXPECT_EQ(IsWebLink(c.Target), c.Opens) << testing::PrintToString(std::u16string(c.Target));
  }
}

}  // namespace
