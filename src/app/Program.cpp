#include "app/Program.h"

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
#include "update/UpdateCheck.h"
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

void RunProgram(const TMainWindowSeams& seams) {
  // Before the entry logic: even a second start that only hands over uses the table.
  StartTranslationModule();
  UseWindowsSystemColors();
  RegisterQuiremoButtonStyles();
  InstallUnhandledExceptionReporter();
  int exitCode = 1;
  try {
    exitCode = RunEntry(FirstCommandLineArgument(), seams);
  } catch (...) {
  }
  // A hold command the user asked for still gets a moment to go out.
  WaitForHoldCommands(3000);
  // A clean may still be purging on its worker: end here, without running destructors
  // under it, and without waiting for it.
  ::ExitProcess(static_cast<UINT>(exitCode));
}
