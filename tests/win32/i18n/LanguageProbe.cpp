#include <cstdio>
#include <string>

#include "i18n/Translation.h"
#include "i18n/TranslationModule.h"

namespace {

std::string Narrow(const std::u16string& text) {
  return std::string(text.begin(), text.end());
}

}  // namespace

// Usage: orvanta_language_probe EXPECTED. Exit code 0 when the module chose EXPECTED.
int main(int argc, char** argv) {
  if (argc != 2) return 2;
  StartTranslationModule();
  const std::string chosen = Narrow(CurrentLanguage());
  std::printf("locale name \"%s\", interface language \"%s\"\n", Narrow(UserLanguageCode()).c_str(), chosen.c_str());
  return chosen == argv[1] ? 0 : 1;
}
