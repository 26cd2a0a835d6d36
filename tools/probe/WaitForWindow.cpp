#include <windows.h>

#include <cwchar>
#include <string>

// wait_for_window CLASS [TIMEOUT_MS [exists]]: exits 0 once a visible top-level window of
// that class exists and has painted (with "exists": once it exists at all, shown or not), 1
// when the time runs out. Scripts use it to know when a program under Wine is on screen,
// and when the desktop's taskbar is there to take notification-area icons.
int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fwprintf(stderr, L"usage: wait_for_window CLASS [TIMEOUT_MS [exists]]\n");
    return 2;
  }
  const DWORD timeout = argc > 2 ? static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) : 30000;
  const bool existsIsEnough = argc > 3 && std::wcscmp(argv[3], L"exists") == 0;
  const ULONGLONG deadline = ::GetTickCount64() + timeout;
  while (::GetTickCount64() < deadline) {
    HWND window = ::FindWindowW(argv[1], nullptr);
    if (window != nullptr && existsIsEnough) return 0;
    if (window != nullptr && ::IsWindowVisible(window)) {
      // A reply to a message means the window's thread is past its first paint.
      DWORD_PTR ignored = 0;
      if (::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored)) return 0;
    }
    ::Sleep(50);
  }
  return 1;
}
