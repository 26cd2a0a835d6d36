#include "i18n/TranslateText.h"

#include <array>

#include "i18n/TextRules.h"

std::u16string TranslateTextIn(const TTranslationTable& table, std::u16string_view source,
                               std::u16string_view language) {
  std::u16string result = ConvertEscapes(source);
  if (source.empty()) return result;

  std::size_t found = 0;
  while (found < table.size() && !SameTextAscii(LineText(table[found]), source)) ++found;
  if (found == table.size()) return result;

  // Entries are runs of non-empty lines; step back to the first line of this one.
  std::size_t blockStart = found;
  while (blockStart > 0 && !table[blockStart - 1].empty()) --blockStart;

  for (const std::u16string_view code : std::array<std::u16string_view, 2>{language, u"en"}) {
    for (std::size_t line = blockStart; line < table.size() && !table[line].empty(); ++line) {
      if (LineName(table[line]) == code) return ConvertEscapes(LineText(table[line]));
    }
  }
  return result;
}
