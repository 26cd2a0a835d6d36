#pragma once

#include <string>

#include "win32/ModulePath.h"

// The build puts every exe into one folder: find the others beside this test.
inline std::u16string BesideThisTest(std::u16string_view fileName) {
  std::u16string path = ModuleFilePath();
  path.erase(path.find_last_of(u"\\/") + 1);
  return path.append(fileName);
}

inline std::wstring OrvantaExePath() {
  const std::u16string path = BesideThisTest(u"orvanta.exe");
  return std::wstring(path.begin(), path.end());
}
