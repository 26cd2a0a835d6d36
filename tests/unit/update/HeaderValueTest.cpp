#include "update/HeaderValue.h"

#include <gtest/gtest.h>

namespace {

struct THeaderCase {
  std::u16string_view Value;
  std::u16string_view Sent;
};

TEST(HeaderValue, OnlyPrintableAsciiIsSent) {
  const THeaderCase cases[] = {
      {u"1.0.0.0", u"1.0.0.0"},
      {u"20261210-ab cd~!", u"20261210-ab cd~!"},
      {u"", u""},
      {u"abc\r\nX-Injected: 1", u""},  // a line break would start a header of its own
      {u"abc\n", u""},
      {u"tab\there", u""},
      {u"caf\u00e9", u""},
      {u"del\u007f", u""},
  };
  for (const THeaderCase& headerCase : cases) {
    EXPECT_EQ(HeaderValue(headerCase.Value), headerCase.Sent)
        << std::string(headerCase.Value.begin(), headerCase.Value.end());
  }
}

}  // namespace
