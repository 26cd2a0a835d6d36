#include <gtest/gtest.h>

#include <string>

#include "app/ToastXml.h"

namespace {

TEST(ToastXml, PutsTitleAndBodyIntoTheGenericTemplate) {
  EXPECT_EQ(ToastXml(u"Orvanta", u"메모리를 정리하였습니다."),
            u"<toast><visual><binding template=\"ToastGeneric\"><text>Orvanta</text>"
            u"<text>메모리를 정리하였습니다.</text></binding></visual></toast>");
}

TEST(ToastXml, EscapesBothTextsSoNeitherCanChangeTheDocument) {
  EXPECT_EQ(ToastXml(u"</text><image src=\"x\"/>", u"a & b"),
            u"<toast><visual><binding template=\"ToastGeneric\"><text>&lt;/text&gt;&lt;image src=&quot;x&quot;/&gt;"
            u"</text><text>a &amp; b</text></binding></visual></toast>");
}

TEST(ToastXml, EscapesMarkupAndRemovesWhatXmlDoesNotAllow) {
  struct TCase {
    std::u16string_view Text, Expected;
  };
  const TCase cases[] = {
      {u"", u""},
      {u"plain text", u"plain text"},
      {u"&<>\"'", u"&amp;&lt;&gt;&quot;&apos;"},
      {u"&amp;", u"&amp;amp;"},  // an entity in the text is text, not markup
      {u"]]>", u"]]&gt;"},
      {u"tab\tline\nreturn\r", u"tab\tline\nreturn\r"},
      {std::u16string_view(u"nul\0bell\x07"
                           u"esc\x1B"
                           u"end",
                           16),
       u"nulbellescend"},
      {u"\uFFFE\uFFFFok", u"ok"},
      {u"\uFFFD\uE000\uD7FF", u"\uFFFD\uE000\uD7FF"},            // allowed edges of the ranges
      {u"memory \U0001F9F9 freed", u"memory \U0001F9F9 freed"},  // a pair stays as it is
      {u"lone \xD83E high", u"lone \uFFFD high"},
      {u"lone \xDDF9 low", u"lone \uFFFD low"},
      {u"\xDDF9\xD83E", u"\uFFFD\uFFFD"},  // a pair in the wrong order is two lone halves
      {u"end \xD83E", u"end \uFFFD"},
      {u"한국어 日本語 Русский عربي", u"한국어 日本語 Русский عربي"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EscapeXmlText(c.Text), c.Expected) << testing::PrintToString(std::u16string(c.Text));
  }
}

}  // namespace
