#pragma once

#include <windows.h>

#include <exception>
#include <string>

// The error report: what failed, details the user can copy, and the choice to go on or quit.
enum class TReportChoice { Continue, Quit };

struct TErrorReport {
  std::wstring What;     // one line: where it failed
  std::wstring Details;  // the error's own message and kind, for copying into a bug report
  bool CanContinue = true;
};

// Shows the report dialog (modal, on the calling thread) and returns the user's choice.
// Replaceable so that tests can see a report without a dialog.
using TErrorReporter = TReportChoice (*)(HWND owner, const TErrorReport& report);
TReportChoice ShowErrorReportDialog(HWND owner, const TErrorReport& report);
void SetErrorReporter(TErrorReporter reporter);  // nullptr restores the dialog

// Hands a caught C++ error to the reporter; ends the process when the user quits.
void ReportCaughtException(HWND owner, const wchar_t* where, const std::exception_ptr& error);

// Errors outside C++ (an access violation, say) are reported and end the process:
// after corrupted state there is no "continue".
void InstallUnhandledExceptionReporter();
// The filter it installs: reports the exception and asks the system to end the process.
LONG WINAPI ReportUnhandledException(EXCEPTION_POINTERS* pointers);

// Runs one handler so that no C++ error unwinds through system code: a caught error is
// reported and the fallback is returned.
template <typename TResult, typename THandler>
TResult RunGuarded(HWND owner, const wchar_t* where, TResult fallback, THandler&& handler) {
  try {
    return handler();
  } catch (...) {
    ReportCaughtException(owner, where, std::current_exception());
    return fallback;
  }
}
