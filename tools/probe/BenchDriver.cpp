#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "app/InstanceName.h"
#include "app/MainWindowControls.h"
#include "autostart/AutoStart.h"
#include "tray/TrayIcon.h"
#include "win32/ComInitialization.h"

// bench_driver: what tools/bench-exe.sh asks of programs running under Wine.
//   start-time CLASS EXE [ARG]  starts EXE, prints the milliseconds until a window of CLASS
//                               is visible and has painted, then closes it and waits for
//                               its end
//   clean                       clicks Orvanta's clean button and waits for the job's end
//   tray-clean                  clicks its tray icon (clean on tray click must be on) and
//                               waits for the job's end
//   scheduler-query             prints the milliseconds the logon task lookup takes in a
//                               process of its own, as the settings load does it at start
namespace {

using TSteady = std::chrono::steady_clock;

double MillisecondsSince(TSteady::time_point start) {
  return std::chrono::duration<double, std::milli>(TSteady::now() - start).count();
}

bool WaitUntil(bool (*condition)(HWND), HWND window, DWORD limitMs) {
  const ULONGLONG deadline = ::GetTickCount64() + limitMs;
  while (::GetTickCount64() < deadline) {
    if (condition(window)) return true;
    ::Sleep(1);
  }
  return false;
}

HWND VisibleWindowOf(const wchar_t* className, DWORD processId) {
  HWND window = nullptr;
  while ((window = ::FindWindowExW(nullptr, window, className, nullptr)) != nullptr) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == processId && ::IsWindowVisible(window)) return window;
  }
  return nullptr;
}

int StartTime(const wchar_t* className, const wchar_t* exe, const wchar_t* argument) {
  std::wstring commandLine = L"\"" + std::wstring(exe) + L"\"";
  if (argument != nullptr) commandLine += L" " + std::wstring(argument);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  const auto start = TSteady::now();
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
    std::fwprintf(stderr, L"bench_driver: cannot start %ls (%lu)\n", exe, ::GetLastError());
    return 1;
  }
  HWND window = nullptr;
  double elapsed = -1;
  const ULONGLONG deadline = ::GetTickCount64() + 30000;
  while (::GetTickCount64() < deadline) {
    window = VisibleWindowOf(className, process.dwProcessId);
    DWORD_PTR ignored = 0;
    // A reply means the window's thread is past its first paint and waits for input.
    if (window != nullptr && ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored)) {
      elapsed = MillisecondsSince(start);
      break;
    }
    ::Sleep(1);
  }
  if (window != nullptr) {
    // Orvanta closes for real on the log-off message; a plain window on WM_CLOSE.
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  }
  if (::WaitForSingleObject(process.hProcess, 15000) != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 1);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  if (elapsed < 0) {
    std::fwprintf(stderr, L"bench_driver: no window of %ls came\n", className);
    return 1;
  }
  std::wprintf(L"%.1f\n", elapsed);
  return 0;
}

bool CleanButtonEnabled(HWND form) {
  return ::IsWindowEnabled(::GetDlgItem(form, IdBtnClean)) != FALSE;
}

bool CleanButtonDisabled(HWND form) {
  return !CleanButtonEnabled(form);
}

int Clean(bool fromTray) {
  const HWND form = ::FindWindowW(InstanceName, nullptr);
  if (form == nullptr) {
    std::fwprintf(stderr, L"bench_driver: Orvanta is not running\n");
    return 1;
  }
  if (fromTray) {
    ::PostMessageW(form, TTrayIcon::CallbackMessage, 0, MAKELPARAM(NIN_KEYSELECT, TTrayIcon::IconId));
  } else {
    const HWND button = ::GetDlgItem(form, IdBtnClean);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4), SMTO_ABORTIFHUNG, 5000, &ignored);
    ::SendMessageTimeoutW(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4), SMTO_ABORTIFHUNG, 5000, &ignored);
  }
  // The job may be over before the first look; then the button never shows it.
  WaitUntil(&CleanButtonDisabled, form, 2000);
  return WaitUntil(&CleanButtonEnabled, form, 30000) ? 0 : 1;
}

int SchedulerQuery() {
  const auto start = TSteady::now();
  const TComInitialization com(COINIT_APARTMENTTHREADED);
  IsAutoStart(L"OrvantaTaskMachine");
  std::wprintf(L"%.1f\n", MillisecondsSince(start));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"start-time" && argc >= 4) return StartTime(argv[2], argv[3], argc > 4 ? argv[4] : nullptr);
  if (command == L"clean") return Clean(false);
  if (command == L"tray-clean") return Clean(true);
  if (command == L"scheduler-query") return SchedulerQuery();
  std::fwprintf(stderr, L"usage: bench_driver start-time CLASS EXE [ARG] | clean | tray-clean | scheduler-query\n");
  return 2;
}
