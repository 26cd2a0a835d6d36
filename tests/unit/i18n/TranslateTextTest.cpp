#include <gtest/gtest.h>

#include "ShippedTable.h"
#include "i18n/TranslateText.h"
#include "i18n/Translation.h"

namespace {

const TTranslationTable& Shipped() {
  static const TTranslationTable table = ParseTranslationTable(ShippedTranslationTable);
  return table;
}

struct TTranslateCase {
  std::u16string_view Source;
  std::u16string_view Language;
  std::u16string_view Expected;
};

TEST(TranslateText, FollowsTheLookupRulesOnTheShippedTable) {
  const TTranslateCase cases[] = {
      {u"처음화면", u"ko", u"처음화면"},
      {u"처음화면", u"en", u"Home"},
      // The working-set label has no English line and stays Korean in English...
      {u"워킹 셋", u"en", u"워킹 셋"},
      // ...and for a language the table lacks, which otherwise comes out English.
      {u"처음화면", u"de", u"Home"},
      {u"워킹 셋", u"de", u"워킹 셋"},
      {u"워킹 셋", u"ja", u"ワーキング"},
      // Any language's text is a key, with ASCII letters compared without case...
      {u"home", u"ja", u"ホーム"},
      {u"mémoire", u"it", u"Memoria"},
      // ...but no other letters.
      {u"ГЛАВНАЯ", u"ja", u"ГЛАВНАЯ"},
      {u"MÉMOIRE", u"it", u"MÉMOIRE"},
      // Language codes are case-sensitive: capitals fall back to English.
      {u"처음화면", u"EN", u"Home"},
      {u"처음화면", u"JA", u"Home"},
      {u"Accueil", u"it", u"Home"},
      // "Config" is the en line of entry 3 before it is the fr line.
      {u"Config", u"ja", u"設定"},
      // First and last entries: the walk up stops at the top of the table.
      {u"Orvanta", u"ru", u"Orvanta"},
      {u"تم تحسين الذاكرة", u"ko", u"메모리를 정리하였습니다."},
      {u"만든이 Talvane", u"zh", u"作者：Talvane"},
      {u"%.0n MB / %.0n MB (%n%% 사용중)", u"ja", u"%.0n MB / %.0n MB (%n%% 使用中)"},
      {u"not in the table\\nsecond line", u"ja", u"not in the table\rsecond line"},
      {u"Home ", u"ja", u"Home "},
      {u"", u"ja", u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TranslateTextIn(Shipped(), c.Source, c.Language), c.Expected)
        << testing::PrintToString(std::u16string(c.Source)) << " for "
        << testing::PrintToString(std::u16string(c.Language));
  }
}

TEST(TranslateText, EveryKoreanKeyTranslatesToItselfInKorean) {
  for (const std::u16string& line : Shipped()) {
    if (LineName(line) != u"ko") continue;
    EXPECT_EQ(TranslateTextIn(Shipped(), LineText(line), u"ko"), LineText(line));
  }
}

TEST(TranslateText, ConvertsEscapesInFoundTextsAndComparesTheSourceUnconverted) {
  const TTranslationTable table{u"ko=줄\\n바꿈", u"stray line", u"en=Line\\nbreak", u"", u"ko=끝", u""};
  EXPECT_EQ(TranslateTextIn(table, u"줄\\n바꿈", u"en"), u"Line\rbreak");
  EXPECT_EQ(TranslateTextIn(table, u"line\\nBREAK", u"ko"), u"줄\r바꿈");
  // The converted form is not a key.
  EXPECT_EQ(TranslateTextIn(table, u"줄\r바꿈", u"en"), u"줄\r바꿈");
  // An entry stops at the empty line: "끝" has no English line of its own.
  EXPECT_EQ(TranslateTextIn(table, u"끝", u"en"), u"끝");
}

TEST(TranslationModule, UsesCurrentLanguageWhenNoneIsGiven) {
  StartTranslation(Shipped(), u"ja");
  EXPECT_EQ(CurrentLanguage(), u"ja");
  EXPECT_EQ(TranslateText(u"처음화면"), u"ホーム");
  EXPECT_EQ(TranslateText(u"처음화면", u"fr"), u"Accueil");
}

TEST(TranslationModule, WithoutATableEveryTextStaysAsWrittenWithEscapesConverted) {
  StartTranslation({}, u"ja");
  EXPECT_EQ(TranslateText(u"처음화면"), u"처음화면");
  EXPECT_EQ(TranslateText(u"a\\nb"), u"a\rb");
}

TEST(TranslationModule, LanguageIsTheFirstTwoLettersOfTheLocaleName) {
  struct TCase {
    std::u16string_view Code, Language;
  };
  const TCase cases[] = {{u"ko", u"ko"}, {u"fil", u"fi"}, {u"e", u"e"}, {u"", u"en"}};
  for (const auto& c : cases) EXPECT_EQ(LanguageOfCode(c.Code), c.Language);

  // A three-letter name whose two letters are no language of the table: English.
  StartTranslation(Shipped(), u"fil");
  EXPECT_EQ(CurrentLanguage(), u"fi");
  EXPECT_EQ(TranslateText(u"환경설정"), u"Config");
}

}  // namespace
