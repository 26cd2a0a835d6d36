#pragma once

#include <string>
#include <string_view>

#include "i18n/TranslationTable.h"

// The translation module of the process. It is started once, before any other thread
// exists, and its state is never destroyed, so a worker still running at process end
// can read CurrentLanguage safely.

// Installs the table and derives CurrentLanguage from the user's language code.
void StartTranslation(TTranslationTable table, std::u16string_view userLanguageCode);

// The interface language: two letters, such as "ko" or "en".
const std::u16string& CurrentLanguage();
void SetCurrentLanguage(std::u16string_view language);

// The first two characters of the platform's language name (all of it when shorter);
// no name at all counts as English.
std::u16string LanguageOfCode(std::u16string_view userLanguageCode);

// Translates Source for Language, or for CurrentLanguage when Language is empty.
std::u16string TranslateText(std::u16string_view source, std::u16string_view language = {});
