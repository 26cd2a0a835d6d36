#pragma once

#include <windows.h>

#include <string>

#include "i18n/TranslationTable.h"

// Starts the translation module: the table from this exe's "translate" resource and the
// interface language from the user's locale. Called first thing in wWinMain, before any
// other thread exists. A missing or unreadable table leaves the interface Korean.
void StartTranslationModule();

// The lines of the "translate" raw-data resource of Module; empty when there is none.
TTranslationTable LoadTranslationTable(HMODULE module);

// The ISO 639 language name of the user's default locale, "en" when it cannot be had.
std::u16string UserLanguageCode();
