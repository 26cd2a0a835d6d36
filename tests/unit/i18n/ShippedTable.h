#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/TextRules.h"
#include "i18n/TranslationTable.h"

// The bytes of the table file as the exe compiles it in.
extern const std::string_view ShippedTranslationTable;

// Checks a loaded table against the documented layout: 23 entries in eight languages
// (the working-set label has no English line), each followed by one empty line, and no
// text shared between entries even with ASCII case ignored.
inline void ExpectShippedTableShape(const TTranslationTable& table) {
  constexpr std::array<std::u16string_view, 8> order{u"ko", u"en", u"ja", u"zh", u"ru", u"it", u"fr", u"ar"};
  ASSERT_EQ(table.size(), 206u);
  std::vector<std::vector<std::u16string_view>> blocks(1);
  for (const std::u16string& line : table) {
    if (line.empty()) {
      EXPECT_FALSE(blocks.back().empty()) << "two empty lines in a row";
      blocks.emplace_back();
    } else {
      blocks.back().push_back(line);
    }
  }
  EXPECT_TRUE(table.back().empty());
  blocks.pop_back();  // the empty run after the last separator
  ASSERT_EQ(blocks.size(), 23u);

  std::size_t textLines = 0;
  for (std::size_t entry = 0; entry < blocks.size(); ++entry) {
    std::vector<std::u16string_view> expectedCodes(order.begin(), order.end());
    if (entry == 7) expectedCodes.erase(expectedCodes.begin() + 1);
    std::vector<std::u16string_view> codes;
    for (const std::u16string_view line : blocks[entry]) {
      codes.push_back(LineName(line));
      EXPECT_EQ(LineText(line).find(u'='), std::u16string_view::npos);
      // A text may repeat inside its own entry, never in another one.
      for (std::size_t other = 0; other < blocks.size(); ++other) {
        if (other == entry) continue;
        for (const std::u16string_view otherLine : blocks[other]) {
          EXPECT_FALSE(SameTextAscii(LineText(line), LineText(otherLine)))
              << "entries " << entry + 1 << ", " << other + 1;
        }
      }
    }
    EXPECT_EQ(codes, expectedCodes) << "entry " << entry + 1;
    textLines += blocks[entry].size();
  }
  EXPECT_EQ(textLines, 183u);

  // A handful of exact texts in different scripts, punctuation included.
  const std::array<std::u16string_view, 8> samples{
      u"ko=워킹 셋",
      u"zh=作者：Talvane",
      u"ar=تم تحسين الذاكرة",
      u"ru=Очистить при использовании файла подкачки(%).",
      u"fr=Êtes-vous sûr de vouloir quitter?",
      u"ja=本当に終了しますか？",
      u"en=Clean automatically if interval (minutes) exceeded.",
      u"ko=%.0n MB / %.0n MB (%n%% 사용중)",
  };
  for (const std::u16string_view sample : samples) {
    EXPECT_NE(std::find(table.begin(), table.end(), sample), table.end());
  }
}
