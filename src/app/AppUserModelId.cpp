#include "app/AppUserModelId.h"

#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <memory>

#include "ui/IconPng.h"
#include "win32/IconHandle.h"
#include "win32/RegistryKey.h"
#include "win32/WideText.h"

namespace {

// Large enough for the biggest picture the notification centre draws at high DPI.
constexpr int IconPngSize = 256;

bool FileExists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The icon file, written if it is missing and the exe has an icon; empty when there is none.
std::wstring EnsureAppIconPng() {
  const std::wstring path = AppIconPngPath();
  if (path.empty() || FileExists(path)) return path;
  const TIconHandle icon(static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, IconPngSize, IconPngSize, LR_DEFAULTCOLOR)));
  if (icon.Get() == nullptr) return {};
  const std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
  const int created = ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  if (created != ERROR_SUCCESS && created != ERROR_ALREADY_EXISTS) return {};
  return SaveIconAsPng(icon.Get(), path) ? path : std::wstring();
}

// As the notification centre reads them: text that may name environment variables.
void SetExpandableString(HKEY key, const wchar_t* name, const std::wstring& text) {
  ::RegSetValueExW(key, name, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

std::wstring AppIconPngPath() {
  PWSTR folder = nullptr;
  const HRESULT result = ::SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder);
  const std::unique_ptr<wchar_t, decltype(&::CoTaskMemFree)> owner(folder, &::CoTaskMemFree);
  if (FAILED(result) || folder == nullptr) return {};
  return std::wstring(folder) + L"\\Quiremo\\Orvanta\\AppIcon.png";
}

void RegisterAppUserModelId(std::u16string_view displayName) {
  try {
    ::SetCurrentProcessExplicitAppUserModelID(OrvantaAppUserModelId);
    TRegistryKey key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, OrvantaAppUserModelIdKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          key.Receive(), nullptr) != ERROR_SUCCESS) {
      return;
    }
    const std::u16string name(displayName);
    SetExpandableString(key.Get(), L"DisplayName", std::wstring(AsWide(name)));
    const std::wstring icon = EnsureAppIconPng();
    if (icon.empty()) {
      // A picture that is gone must not be named: the notification centre would show none.
      ::RegDeleteValueW(key.Get(), L"IconUri");
    } else {
      SetExpandableString(key.Get(), L"IconUri", icon);
    }
  } catch (...) {
    // Without the registration toasts are dropped by the system; nothing else depends on it.
  }
}
