#include "TestProbe.h"

#include <atomic>
#include <cstring>
#include <thread>

#include "app/InstanceName.h"
#include "win32/OwnedCounts.h"

namespace {

std::atomic<UINT_PTR> StatusTimerId = 0;

HWND MainWindowOfThisProcess() {
  HWND window = nullptr;
  while ((window = ::FindWindowExW(nullptr, window, InstanceName, nullptr)) != nullptr) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == ::GetCurrentProcessId()) return window;
  }
  return nullptr;
}

LRESULT AnnounceDpi(UINT dpi) {
  const HWND main = MainWindowOfThisProcess();
  if (main == nullptr || dpi == 0) return 0;
  // Where it stands now: the window makes its own size exact for the new scale.
  RECT suggested{};
  ::GetWindowRect(main, &suggested);
  ::SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  return 1;
}

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == ProbeQueryMessage) {
    switch (wParam) {
      case ProbeHandles:
        return OwnedCount(TOwnedKind::Handle);
      case ProbeGdiObjects:
        return OwnedCount(TOwnedKind::GdiObject);
      case ProbeComObjects:
        return OwnedCount(TOwnedKind::ComObject);
      case ProbeStatusTimerId:
        return static_cast<LRESULT>(StatusTimerId.load());
      default:
        return -1;
    }
  }
  if (message == ProbeDpiMessage) return AnnounceDpi(static_cast<UINT>(wParam));
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void RunProbeWindow() {
  WNDCLASSW probeClass{};
  probeClass.lpfnWndProc = &ProbeProc;
  probeClass.hInstance = ::GetModuleHandleW(nullptr);
  probeClass.lpszClassName = ProbeClassName;
  ::RegisterClassW(&probeClass);
  if (::CreateWindowExW(0, ProbeClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, probeClass.hInstance, nullptr) ==
      nullptr)
    return;
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
}

// Notes the id of the main window's own timer, the status tick, as it goes by, and only then
// opens the probe: a thread of ours waiting for messages any earlier would tell a test that
// waits for the program to be idle that it is, while its window is still being built.
LRESULT CALLBACK WatchTimers(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && message->message == WM_TIMER && message->lParam == 0 && StatusTimerId == 0) {
    wchar_t name[32] = {};
    ::GetClassNameW(message->hwnd, name, 32);
    if (std::wcscmp(name, InstanceName) == 0) {
      StatusTimerId = message->wParam;
      std::thread(&RunProbeWindow).detach();  // lives as long as the process
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void StartTestProbe() {
  // Lives as long as the process.
  ::SetWindowsHookExW(WH_GETMESSAGE, &WatchTimers, nullptr, ::GetCurrentThreadId());
}
