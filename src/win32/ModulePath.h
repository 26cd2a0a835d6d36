#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win32/WideText.h"

// The full path of the running exe; empty if it cannot be had. Long paths exceed
// MAX_PATH, so the buffer grows until the name fits.
inline std::u16string ModuleFilePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return FromWide(std::wstring_view(buffer.data(), length));
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}
