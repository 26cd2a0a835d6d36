#include <gtest/gtest.h>

#include "ShippedTable.h"
#include "i18n/TranslationTable.h"

namespace {

TEST(TranslationTable, ShippedFileIsUtf8WithMarkAndCrLfLineEnds) {
  const std::string_view bytes = ShippedTranslationTable;
  ASSERT_GE(bytes.size(), 3u);
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(bytes.substr(bytes.size() - 4), "\r\n\r\n");
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
    }
    if (bytes[i] == '\r') {
      EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at " << i;
    }
  }
}

TEST(TranslationTable, ShippedFileLoadsInTheDocumentedShape) {
  ExpectShippedTableShape(ParseTranslationTable(ShippedTranslationTable));
}

struct TParseCase {
  std::string_view Bytes;
  TTranslationTable Expected;
};

TEST(TranslationTable, SplitsAtEveryKindOfLineEndAndKeepsEmptyLines) {
  const TParseCase cases[] = {
      {"", {}},
      {"\xEF\xBB\xBF", {}},
      {"\xEF\xBB\xBFko=a\r\nen=b", {u"ko=a", u"en=b"}},
      {"a\nb\n", {u"a", u"b"}},
      {"a\rb\r\n\r\n", {u"a", u"b", u""}},
      {"\r\n", {u""}},
      {"a\r\n\r\n\r\n", {u"a", u"", u""}},
      // Only a leading mark is a mark; elsewhere it is a character of the text.
      {"a\xEF\xBB\xBF", {u"a\uFEFF"}},
      {"\xF0\x9F\x98\x80", {u"\U0001F600"}},
      // Malformed UTF-8 costs a replacement character, not the table.
      {"x\xFFy\r\nz", {u"x\uFFFDy", u"z"}},
      {"\xC0\xAF", {u"\uFFFD\uFFFD"}},
      {"\xED\xA0\x80", {u"\uFFFD\uFFFD\uFFFD"}},
      {"ab\xE3\x83", {u"ab\uFFFD\uFFFD"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseTranslationTable(c.Bytes), c.Expected) << testing::PrintToString(std::string(c.Bytes));
  }
}

TEST(TranslationTable, NameIsBeforeTheFirstEqualsSignAndTextAfterIt) {
  struct TCase {
    std::u16string_view Line, Name, Text;
  };
  const TCase cases[] = {
      {u"ko=처음화면", u"ko", u"처음화면"}, {u"k=a=b", u"k", u"a=b"}, {u"=x", u"", u"x"},
      {u"no separator", u"", u""},          {u"", u"", u""},          {u"en=", u"en", u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LineName(c.Line), c.Name);
    EXPECT_EQ(LineText(c.Line), c.Text);
  }
}

}  // namespace
