#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "app/NumberFormat.h"
#include "i18n/ShippedTable.h"
#include "i18n/TranslationTable.h"

namespace {

const TNumberFormat Comma;  // "," thousands, "." decimals
const TNumberFormat German{u".", u","};

TEST(NumberFormat, FillsThePhysicalLineWithTheUsersSeparators) {
  constexpr std::u16string_view format = u"%.0n MB / %.0n MB (%n%% 사용중)";
  EXPECT_EQ(FormatNumbers(format, {7971, 16301, 48.9f}, Comma), u"7,971 MB / 16,301 MB (48.90% 사용중)");
  EXPECT_EQ(FormatNumbers(format, {7971, 16301, 48.9f}, German), u"7.971 MB / 16.301 MB (48,90% 사용중)");
}

TEST(NumberFormat, GroupsByThreeAndRoundsHalvesAwayFromZero) {
  struct TCase {
    std::u16string_view Format;
    double Value;
    std::u16string_view Expected;
  };
  const TCase cases[] = {
      {u"%.0n", 0, u"0"},
      {u"%.0n", 999, u"999"},
      {u"%.0n", 1000, u"1,000"},
      {u"%.0n", 123456, u"123,456"},
      {u"%.0n", 1234567, u"1,234,567"},
      {u"%.0n", 16301, u"16,301"},
      {u"%n", 0, u"0.00"},
      {u"%n", 100, u"100.00"},
      {u"%n", 1234567.891, u"1,234,567.89"},
      {u"%n", 48.9f, u"48.90"},  // the float's 48.900001525... rounds down
      {u"%n", 33.333332f, u"33.33"},
      {u"%n", 99.996, u"100.00"},
      // Exact halves round away from zero; to_chars alone would break them towards even.
      {u"%n", 0.125, u"0.13"},
      {u"%n", 0.375, u"0.38"},
      {u"%n", 48.625, u"48.63"},
      {u"%.0n", 0.5, u"1"},
      {u"%.0n", 2.5, u"3"},
      {u"%.0n", 999999.5, u"1,000,000"},
      {u"%.1n", 0.25, u"0.3"},
      // Not halves: the nearest doubles to 1.005 and 2.675 lie just below them.
      {u"%n", 1.005, u"1.00"},
      {u"%n", 2.675, u"2.67"},
      {u"%.3n", 1234.5678, u"1,234.568"},
      {u"%.18n", 0.1, u"0.100000000000000006"},
      {u"%N", 1500, u"1,500.00"},
      {u"%n", -1234.5, u"-1,234.50"},
      {u"%.0n", -999999.5, u"-1,000,000"},
      {u"%n", -0.001, u"0.00"},  // no minus on a zero
      {u"%.0n", 1e20, u"100,000,000,000,000,000,000"},
      {u"%n", std::numeric_limits<double>::infinity(), u"INF"},
      {u"%n", -std::numeric_limits<double>::infinity(), u"-INF"},
      {u"%.0n", std::nan(""), u"NAN"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatNumbers(c.Format, {c.Value}, Comma), std::u16string(c.Expected))
        << testing::PrintToString(std::u16string(c.Format)) << " with " << c.Value;
  }
}

TEST(NumberFormat, UsesSeparatorsOfAnyLength) {
  struct TCase {
    TNumberFormat Numbers;
    std::u16string_view Expected;
  };
  const TCase cases[] = {
      {{u"", u"."}, u"1234567.50"},
      {{u"\u00A0", u","}, u"1\u00A0234\u00A0567,50"},
      {{u"'", u"."}, u"1'234'567.50"},
      {{u"<>", u"::"}, u"1<>234<>567::50"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatNumbers(u"%n", {1234567.5}, c.Numbers), std::u16string(c.Expected));
}

TEST(NumberFormat, CopiesTextAndPercentSignsAndIgnoresSpareNumbers) {
  EXPECT_EQ(FormatNumbers(u"", {}, Comma), u"");
  EXPECT_EQ(FormatNumbers(u"no numbers", {1, 2}, Comma), u"no numbers");
  EXPECT_EQ(FormatNumbers(u"%%n %%%n%%", {5}, Comma), u"%n %5.00%");
  EXPECT_EQ(FormatNumbers(u"%.0n MB (%n%%)", {8192, 12.5, 99}, Comma), u"8,192 MB (12.50%)");
}

TEST(NumberFormat, RejectsFormatsThatDoNotFitTheirNumbers) {
  const std::u16string_view formats[] = {
      u"%.0n MB / %.0n MB (%n%%)",  // three conversions, two numbers
      u"%d",
      u"%s",
      u"%x",
      u"100%",
      u"% n",
      u"%5n",
      u"%-n",
      u"%.n",
      u"%.0",
      u"%.19n",
      u"%.99999999999n",
  };
  for (const std::u16string_view format : formats) {
    EXPECT_THROW(FormatNumbers(format, {1, 2}, Comma), TFormatError) << testing::PrintToString(std::u16string(format));
  }
}

TEST(NumberFormat, EveryShippedPhysicalLineFormats) {
  const TTranslationTable table = ParseTranslationTable(ShippedTranslationTable);
  const auto source = std::find(table.begin(), table.end(), u"ko=%.0n MB / %.0n MB (%n%% 사용중)");
  ASSERT_NE(source, table.end());
  int languages = 0;
  for (auto line = source; line != table.end() && !line->empty(); ++line, ++languages) {
    std::u16string text;
    ASSERT_NO_THROW(text = FormatNumbers(LineText(*line), {7971, 16301, 48.9f}, Comma))
        << testing::PrintToString(*line);
    // Each keeps the numbers in order with their units and one percent sign after the usage.
    EXPECT_EQ(text.rfind(u"7,971 MB / 16,301 MB (", 0), 0u) << testing::PrintToString(text);
    EXPECT_NE(text.find(u"48.90%"), std::u16string::npos) << testing::PrintToString(text);
    EXPECT_EQ(text.find(u'%'), text.find(u"48.90%") + 5) << testing::PrintToString(text);
  }
  EXPECT_EQ(languages, 8);
}

}  // namespace
