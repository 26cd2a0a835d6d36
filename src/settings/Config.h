#pragma once

#include <string>
#include <string_view>

#include "win32/RegistryKey.h"

// The settings store: one key below HKEY_CURRENT_USER\Software, opened (and created when
// missing) for one load or one write and closed again. Reads test for the value first and
// fall back to the default; a value of another registry type than asked for counts as
// absent, so a hand-edited key cannot stop the settings from loading. Writes drop their
// errors and return the value they were given.
class TConfig {
 public:
  explicit TConfig(std::wstring_view path);

  int ReadInteger(const wchar_t* name, int defaultValue) const;
  bool ReadBoolean(const wchar_t* name, bool defaultValue) const;
  std::u16string ReadString(const wchar_t* name, std::u16string_view defaultValue) const;

  int WriteInteger(const wchar_t* name, int value) const;
  bool WriteBoolean(const wchar_t* name, bool value) const;
  std::u16string WriteString(const wchar_t* name, std::u16string_view value) const;

 private:
  TRegistryKey FReg;
};

// Where the program keeps its settings, below Software.
inline constexpr wchar_t SettingsPath[] = L"Quiremo\\Orvanta";
