#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "update/AnswerReader.h"

namespace {

std::string Show(std::u16string_view text) {
  return testing::PrintToString(std::u16string(text));
}

struct TExtractCase {
  std::string_view Name;
  std::u16string_view Text, Start, End, Expected;
};

constexpr TExtractCase ExtractCases[] = {
    {"capital key", uR"({"UPDATE":"https://x/a"})", uR"("update":")", u"\"", u"https://x/a"},
    {"mixed-case key, value keeps its case", uR"({"UpDate":"HTTPS://X/Ab"})", uR"("update":")", u"\"", u"HTTPS://X/Ab"},
    {"only ASCII letters fold", uR"({"É":"v"})", uR"("é":")", u"\"", u""},
    {"space after the colon", uR"({"update": "https://x"})", uR"("update":")", u"\"", u""},
    {"escaped quote inside", uR"({"update":"a\"b","k":"v"})", uR"("update":")", u"\"", uR"(a\"b)"},
    {"escaped backslash runs on", uR"({"update":"a\\","k":"v"})", uR"("update":")", u"\"", uR"(a\\",)"},
    {"escaped backslash, no quote after", uR"({"update":"a\\"})", uR"("update":")", u"\"", u""},
    {"apostrophe masks too", uR"(x='a\'b'c)", u"x='", u"'", uR"(a\'b)"},
    {"longer end marker masks nothing", uR"(k:a\"}z)", u"k:", u"\"}", uR"(a\)"},
    {"first of two keys", uR"({"update":"first","update":"second"})", uR"("update":")", u"\"", u"first"},
    {"end searched after the start", uR"("x","update":"v")", uR"("update":")", u"\"", u"v"},
    {"start marker missing", uR"({"other":"v"})", uR"("update":")", u"\"", u""},
    {"end marker missing", uR"({"update":"open)", uR"("update":")", u"\"", u""},
    {"empty value", uR"({"update":"","info":{}})", uR"("update":")", u"\"", u""},
    {"empty start marker", u"abc\"d", u"", u"\"", u"abc"},
    {"empty end marker", u"key=rest", u"key=", u"", u"rest"},
    {"info ends at its first brace", uR"({"info":{"style":"no}te","text":"t"}})", uR"("info":{)", u"}",
     uR"("style":"no)"},
};

TEST(AnswerReader, ExtractBetweenFindsTheValue) {
  for (const auto& c : ExtractCases) {
    EXPECT_EQ(ExtractBetween(c.Text, c.Start, c.End), c.Expected) << c.Name << ": " << Show(c.Text);
  }
}

struct TUnescapeCase {
  std::u16string_view Value, Expected;
};

constexpr TUnescapeCase UnescapeCases[] = {
    {u"https://example.com/a b", u"https://example.com/a b"},
    {uR"(https:\/\/x\/y)", u"https://x/y"},
    {uR"(\"\'\\)", uR"("'\)"},
    {uR"(\b\f\n\r\t)", u"\b\f\n\r\t"},
    {uR"(caf\u00e9 CAF\u00C9)", u"café CAFÉ"},
    {uR"(\ud83d\ude00)", u"\U0001F600"},
    {uR"(\u00411)", u"A1"},
    {uR"(x\u41)", u"xA"},
    {uR"(a\xb\qc)", u"abc"},
    {uR"(ab\)", u"ab"},
    {uR"(\\u0041)", uR"(\u0041)"},
};

TEST(AnswerReader, UnescapeJsonResolvesEscapes) {
  for (const auto& c : UnescapeCases) {
    EXPECT_EQ(UnescapeJson(c.Value), c.Expected) << Show(c.Value);
  }
}

TEST(AnswerReader, UnescapeJsonRejectsBadUnicodeEscapes) {
  for (const std::u16string_view value : {uR"(\u00g9)", uR"(\uZZ)", uR"(\u)", uR"(abc\u)", uR"(\u-001)"}) {
    EXPECT_THROW(UnescapeJson(value), TUnescapeError) << Show(value);
  }
}

TEST(AnswerReader, ReadsEveryFieldOfAnAnswer) {
  const TServiceAnswer answer = ReadServiceAnswer(
      uR"({"Update":"https:\/\/x\/get?v=\"2\"","info":{"style":"note","text":"Caf\u00e9 news",)"
      uR"("flag":"keep stayontop","url":"https:\/\/x\/n"},"text":"outside"})");
  EXPECT_EQ(answer.Update, uR"(https://x/get?v="2")");
  EXPECT_EQ(answer.Info, uR"("style":"note","text":"Caf\u00e9 news","flag":"keep stayontop","url":"https:\/\/x\/n")");
  EXPECT_EQ(answer.Style, u"note");
  EXPECT_EQ(answer.Text, u"Café news");
  EXPECT_EQ(answer.Flag, u"keep stayontop");
  EXPECT_EQ(answer.Url, u"https://x/n");
}

TEST(AnswerReader, MissingPartsReadAsEmpty) {
  const TServiceAnswer noUpdate = ReadServiceAnswer(uR"({"update":"","info":{"style":"hold","text":"Later"}})");
  EXPECT_EQ(noUpdate.Update, u"");
  EXPECT_EQ(noUpdate.Style, u"hold");
  EXPECT_EQ(noUpdate.Text, u"Later");
  EXPECT_EQ(noUpdate.Flag, u"");

  const TServiceAnswer errorPage = ReadServiceAnswer(u"<html><body>404 Not Found</body></html>");
  EXPECT_EQ(errorPage.Update, u"");
  EXPECT_EQ(errorPage.Info, u"");
  EXPECT_EQ(errorPage.Url, u"");

  // A brace inside a notice value ends the info text, so the fields after it are lost.
  const TServiceAnswer cut = ReadServiceAnswer(uR"({"update":"u","info":{"text":"a}b","style":"note"}})");
  EXPECT_EQ(cut.Info, uR"("text":"a)");
  EXPECT_EQ(cut.Text, u"");
  EXPECT_EQ(cut.Style, u"");
}

TEST(AnswerReader, BadEscapeAnywhereRejectsTheAnswer) {
  EXPECT_THROW(ReadServiceAnswer(uR"({"update":"https://x/\u00zz"})"), TUnescapeError);
  EXPECT_THROW(ReadServiceAnswer(uR"({"update":"https://x/\u"})"), TUnescapeError);

  // The link alone can still be read when only a notice field is bad.
  const std::u16string_view badNotice = uR"({"update":"https://x/","info":{"text":"\uqqqq"}})";
  EXPECT_THROW(ReadServiceAnswer(badNotice), TUnescapeError);
  EXPECT_EQ(ReadUpdateLink(badNotice), u"https://x/");
}

}  // namespace
