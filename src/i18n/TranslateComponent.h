#pragma once

#include <string_view>

#include "i18n/Component.h"
#include "i18n/ComponentKinds.h"

// Translates the texts of Root and of every component it owns, recursively. A non-empty
// Language first becomes CurrentLanguage. A form's caption is the application title and
// reads in English on every system that is not Korean.
void TranslateComponent(TComponent* root, std::u16string_view language = {});

// Replaces each string of the list by its translation.
void TranslateStrings(TStrings* list);

// Translates the caption of Item and of every item below it.
void TranslateMenuItem(TMenuItem* item);
