#include "i18n/TranslationModule.h"

#include <string_view>
#include <vector>

#include "i18n/Translation.h"
#include "win32/WideText.h"

TTranslationTable LoadTranslationTable(HMODULE module) {
  try {
    const HRSRC resource = ::FindResourceW(module, L"translate", RT_RCDATA);
    if (resource == nullptr) return {};
    const DWORD size = ::SizeofResource(module, resource);
    const HGLOBAL loaded = ::LoadResource(module, resource);
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (bytes == nullptr || size == 0) return {};
    return ParseTranslationTable(std::string_view(static_cast<const char*>(bytes), size));
  } catch (...) {
    // Out of memory while decoding: the interface stays Korean.
    return {};
  }
}

std::u16string UserLanguageCode() {
  const LCID locale = ::GetUserDefaultLCID();
  const int length = ::GetLocaleInfoW(locale, LOCALE_SISO639LANGNAME, nullptr, 0);
  if (length < 1) return u"en";
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length));
  const int written = ::GetLocaleInfoW(locale, LOCALE_SISO639LANGNAME, buffer.data(), length);
  if (written < 1) return u"en";
  return FromWide(std::wstring_view(buffer.data(), static_cast<std::size_t>(written - 1)));
}

void StartTranslationModule() {
  try {
    StartTranslation(LoadTranslationTable(::GetModuleHandleW(nullptr)), UserLanguageCode());
  } catch (...) {
    // Nothing to report: an untranslated interface is still a working one.
  }
}
