#include "i18n/Translation.h"

#include <utility>

#include "i18n/TranslateText.h"

namespace {

struct TTranslationState {
  TTranslationTable Table;
  std::u16string Language;
};

// Deliberately never freed: no destructor may run while a late worker reads it.
TTranslationState& State() {
  static TTranslationState* const state = new TTranslationState();
  return *state;
}

}  // namespace

void StartTranslation(TTranslationTable table, std::u16string_view userLanguageCode) {
  State().Table = std::move(table);
  State().Language = LanguageOfCode(userLanguageCode);
}

const std::u16string& CurrentLanguage() {
  return State().Language;
}

void SetCurrentLanguage(std::u16string_view language) {
  State().Language = language;
}

std::u16string LanguageOfCode(std::u16string_view userLanguageCode) {
  if (userLanguageCode.empty()) return u"en";
  return std::u16string(userLanguageCode.substr(0, 2));
}

std::u16string TranslateText(std::u16string_view source, std::u16string_view language) {
  return TranslateTextIn(State().Table, source, language.empty() ? std::u16string_view(CurrentLanguage()) : language);
}
