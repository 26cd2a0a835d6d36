#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

// click_through_setup TITLE [TIMEOUT_MS]: plays the user of an interactive setup. While a
// dialog whose title begins with TITLE is open (the setup adds the page's state to it) it
// presses the dialog's default button (Next, Install, Finish) whenever that is enabled; it
// exits 0 once the dialog has come and gone, 1 when the time runs out.
namespace {

struct TSearch {
  std::wstring TitleStart;
  HWND Found = nullptr;
};

BOOL CALLBACK TestWindow(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<TSearch*>(context);
  wchar_t className[16] = {};
  wchar_t title[256] = {};
  ::GetClassNameW(window, className, 16);
  ::GetWindowTextW(window, title, 256);
  if (std::wcscmp(className, L"#32770") == 0 && std::wstring_view(title).starts_with(search.TitleStart)) {
    search.Found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindSetupDialog(const wchar_t* titleStart) {
  TSearch search{titleStart};
  ::EnumWindows(TestWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fwprintf(stderr, L"usage: click_through_setup TITLE [TIMEOUT_MS]\n");
    return 2;
  }
  const DWORD timeout = argc > 2 ? static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) : 60000;
  const ULONGLONG deadline = ::GetTickCount64() + timeout;
  bool seen = false;
  while (::GetTickCount64() < deadline) {
    const HWND dialog = FindSetupDialog(argv[1]);
    if (dialog == nullptr) {
      if (seen) return 0;
    } else {
      seen = true;
      const HWND next = ::GetDlgItem(dialog, IDOK);
      if (next != nullptr && ::IsWindowEnabled(next) && ::IsWindowVisible(next)) {
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(next),
                              SMTO_ABORTIFHUNG, 5000, &ignored);
      }
    }
    ::Sleep(100);
  }
  return 1;
}
