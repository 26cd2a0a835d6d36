#include "tray/WindowHelpers.h"

#include "win32/ProcAddress.h"

namespace {

// GetVersionExW is subject to the manifest's compatibility shims; RtlGetVersion is not.
DWORD WindowsMajorVersion() {
  using TRtlGetVersion = LONG(WINAPI*)(PRTL_OSVERSIONINFOW);
  const auto rtlGetVersion = ProcAddress<TRtlGetVersion>(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion");
  RTL_OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (rtlGetVersion == nullptr || rtlGetVersion(&info) != 0) return 10;
  return info.dwMajorVersion;
}

void RaiseAndActivate(HWND window) {
  ::BringWindowToTop(window);
  ::SetForegroundWindow(window);
}

}  // namespace

void ShowMainWindow(HWND mainWindow) {
  if (mainWindow == nullptr || !::IsWindow(mainWindow)) return;
  if (::GetSystemMetrics(SM_CMONITORS) < 1) return;
  ::ShowWindow(mainWindow, SW_SHOW);
  BringWindowToFront(mainWindow);
}

void HideMainWindow(HWND mainWindow) {
  if (mainWindow != nullptr) ::ShowWindow(mainWindow, SW_HIDE);
}

void BringWindowToFront(HWND window) {
  if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
  if (::GetForegroundWindow() == window) return;

  if (WindowsMajorVersion() < 6) {
    RaiseAndActivate(window);
    return;
  }

  const DWORD foregroundThread = ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr);
  const DWORD windowThread = ::GetWindowThreadProcessId(window, nullptr);
  // Sharing the foreground thread's input state lets SetForegroundWindow through.
  if (!::AttachThreadInput(windowThread, foregroundThread, TRUE)) return;
  RaiseAndActivate(window);
  ::AttachThreadInput(windowThread, foregroundThread, FALSE);
  if (::GetForegroundWindow() == window) return;

  // Last resort: lift the foreground lock time-out for the one call, then put it back.
  DWORD lockTimeout = 0;
  ::SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &lockTimeout, 0);
  ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
  RaiseAndActivate(window);
  ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<PVOID>(static_cast<UINT_PTR>(lockTimeout)),
                          SPIF_SENDCHANGE);
}
