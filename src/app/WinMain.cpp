#include <windows.h>
// after windows.h, which it relies on
#include <shellapi.h>

#include <memory>
#include <string>

#include "app/Entry.h"
#include "appearance/QuiremoButtonStyles.h"
#include "i18n/TranslationModule.h"
#include "ui/CrashReport.h"
#include "ui/SystemColors.h"
#include "win32/WideText.h"

namespace {

std::u16string FirstCommandLineArgument() {
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> arguments(::CommandLineToArgvW(::GetCommandLineW(), &count),
                                                                  &::LocalFree);
  if (arguments == nullptr || count < 2) return {};
  return FromWide(arguments.get()[1]);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // First of all: every DLL loaded from here on comes from System32, never from the
  // (possibly user-writable) folder the exe sits in.
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Before the entry logic: even a second start that only hands over uses the table.
  StartTranslationModule();
  UseWindowsSystemColors();
  RegisterQuiremoButtonStyles();
  InstallUnhandledExceptionReporter();
  try {
    return RunEntry(FirstCommandLineArgument());
  } catch (...) {
    return 1;
  }
}
