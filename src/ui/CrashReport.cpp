#include "ui/CrashReport.h"

#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <typeinfo>

namespace {

std::atomic<TErrorReporter> CurrentReporter{&ShowErrorReportDialog};
// A handler that fails while its report is on screen must not stack dialogs without end.
thread_local bool Reporting = false;

constexpr int ContinueButton = 100;
constexpr int QuitButton = 101;

std::wstring Widen(const char* text) {
  if (text == nullptr) return {};
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  if (length <= 1) return {};
  std::wstring wide(static_cast<std::size_t>(length - 1), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
  return wide;
}

std::wstring DescribeException(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& known) {
    return Widen(known.what()) + L"\r\n(" + Widen(typeid(known).name()) + L")";
  } catch (...) {
    return L"An error of an unknown kind.";
  }
}

}  // namespace

TReportChoice ShowErrorReportDialog(HWND owner, const TErrorReport& report) {
  const TASKDIALOG_BUTTON continueOrQuit[] = {{ContinueButton, L"&Continue"}, {QuitButton, L"&Quit"}};
  const TASKDIALOG_BUTTON quitOnly[] = {{QuitButton, L"&Close Orvanta"}};
  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof(config);
  config.hwndParent = owner;
  config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_EXPAND_FOOTER_AREA | TDF_SIZE_TO_CONTENT;
  config.pszWindowTitle = L"Orvanta error report";
  config.pszMainIcon = TD_ERROR_ICON;
  config.pszMainInstruction = report.What.c_str();
  config.pszContent = report.CanContinue
                          ? L"You can continue working or quit Orvanta. Press Ctrl+C to copy this report."
                          : L"Orvanta has to close. Press Ctrl+C to copy this report.";
  config.pszExpandedInformation = report.Details.c_str();
  config.pButtons = report.CanContinue ? continueOrQuit : quitOnly;
  config.cButtons = report.CanContinue ? 2 : 1;
  config.nDefaultButton = report.CanContinue ? ContinueButton : QuitButton;
  int pressed = 0;
  if (FAILED(::TaskDialogIndirect(&config, &pressed, nullptr, nullptr))) return TReportChoice::Continue;
  // Escape or the close box cancels, which keeps the program running.
  return pressed == QuitButton ? TReportChoice::Quit : TReportChoice::Continue;
}

void SetErrorReporter(TErrorReporter reporter) {
  CurrentReporter = reporter != nullptr ? reporter : &ShowErrorReportDialog;
}

void ReportCaughtException(HWND owner, const wchar_t* where, const std::exception_ptr& error) {
  if (Reporting) return;
  Reporting = true;
  const TErrorReport report{std::wstring(L"Orvanta ran into an error: ") + where, DescribeException(error), true};
  const TReportChoice choice = CurrentReporter.load()(owner, report);
  Reporting = false;
  if (choice == TReportChoice::Quit) ::ExitProcess(1);
}

LONG WINAPI ReportUnhandledException(EXCEPTION_POINTERS* pointers) {
  wchar_t details[160] = {};
  const EXCEPTION_RECORD* record = pointers != nullptr ? pointers->ExceptionRecord : nullptr;
  std::swprintf(details, 160, L"Exception code 0x%08lX at address %p.", record != nullptr ? record->ExceptionCode : 0ul,
                record != nullptr ? record->ExceptionAddress : nullptr);
  CurrentReporter.load()(nullptr, {L"Orvanta stopped because of an unexpected error.", details, false});
  return EXCEPTION_EXECUTE_HANDLER;  // ends the process
}

void InstallUnhandledExceptionReporter() {
  ::SetUnhandledExceptionFilter(&ReportUnhandledException);
}
