#include "settings/Config.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace {

// REG_DWORD only: RRF_RT_DWORD would also take a 4-byte REG_BINARY for a number.
std::optional<DWORD> QueryDword(HKEY key, const wchar_t* name) {
  if (key == nullptr) return std::nullopt;
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (::RegGetValueW(key, nullptr, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

TConfig::TConfig(std::wstring_view path) {
  const std::wstring fullPath = L"Software\\" + std::wstring(path);
  // Left closed when it cannot be opened: every read then answers its default and every
  // write fails quietly.
  ::RegCreateKeyExW(HKEY_CURRENT_USER, fullPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                    FReg.Receive(), nullptr);
}

int TConfig::ReadInteger(const wchar_t* name, int defaultValue) const {
  const std::optional<DWORD> value = QueryDword(FReg.Get(), name);
  return value ? static_cast<int>(*value) : defaultValue;
}

bool TConfig::ReadBoolean(const wchar_t* name, bool defaultValue) const {
  const std::optional<DWORD> value = QueryDword(FReg.Get(), name);
  return value ? *value != 0 : defaultValue;
}

std::u16string TConfig::ReadString(const wchar_t* name, std::u16string_view defaultValue) const {
  if (!FReg.Valid()) return std::u16string(defaultValue);
  DWORD size = 0;
  if (::RegGetValueW(FReg.Get(), nullptr, name, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS) {
    return std::u16string(defaultValue);
  }
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1);
  size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  if (::RegGetValueW(FReg.Get(), nullptr, name, RRF_RT_REG_SZ, nullptr, buffer.data(), &size) != ERROR_SUCCESS) {
    return std::u16string(defaultValue);
  }
  const std::wstring_view text(buffer.data());
  return std::u16string(text.begin(), text.end());
}

int TConfig::WriteInteger(const wchar_t* name, int value) const {
  const DWORD data = static_cast<DWORD>(value);
  if (FReg.Valid()) {
    ::RegSetValueExW(FReg.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
  }
  return value;
}

bool TConfig::WriteBoolean(const wchar_t* name, bool value) const {
  WriteInteger(name, value ? 1 : 0);
  return value;
}

std::u16string TConfig::WriteString(const wchar_t* name, std::u16string_view value) const {
  const std::wstring text(value.begin(), value.end());
  if (FReg.Valid()) {
    ::RegSetValueExW(FReg.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  return std::u16string(value);
}
