#include "i18n/TranslationTable.h"

#include "i18n/Utf8.h"

TTranslationTable ParseTranslationTable(std::string_view bytes) {
  constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
  if (bytes.substr(0, byteOrderMark.size()) == byteOrderMark) bytes.remove_prefix(byteOrderMark.size());

  const std::u16string text = DecodeUtf8(bytes);
  TTranslationTable table;
  std::u16string line;
  bool lineOpen = false;
  for (std::size_t position = 0; position < text.size(); ++position) {
    const char16_t c = text[position];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && position + 1 < text.size() && text[position + 1] == u'\n') ++position;
      table.push_back(std::move(line));
      line.clear();
      lineOpen = false;
    } else {
      line.push_back(c);
      lineOpen = true;
    }
  }
  if (lineOpen) table.push_back(std::move(line));
  return table;
}

std::u16string_view LineName(std::u16string_view line) {
  const auto separator = line.find(u'=');
  return separator == std::u16string_view::npos ? std::u16string_view{} : line.substr(0, separator);
}

std::u16string_view LineText(std::u16string_view line) {
  const auto separator = line.find(u'=');
  return separator == std::u16string_view::npos ? std::u16string_view{} : line.substr(separator + 1);
}
