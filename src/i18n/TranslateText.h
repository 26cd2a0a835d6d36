#pragma once

#include <string>
#include <string_view>

#include "i18n/TranslationTable.h"

// Looks Source up among the texts of every language of the table and returns its entry's
// text for Language, else the entry's English text, else Source itself; escapes are
// converted in every case. Language codes match case-sensitively.
std::u16string TranslateTextIn(const TTranslationTable& table, std::u16string_view source,
                               std::u16string_view language);
