#include "QuietBrowser.h"

#include <windows.h>

namespace {

constexpr wchar_t BrowserKey[] = L"Software\\Wine\\WineBrowser";

}  // namespace

TQuietBrowser::TQuietBrowser() {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, BrowserKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  const wchar_t nothing[] = L"/bin/true";
  ::RegSetValueExW(key, L"Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(nothing), sizeof(nothing));
  ::RegCloseKey(key);
}

TQuietBrowser::~TQuietBrowser() {
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, BrowserKey, L"Browsers");
}
