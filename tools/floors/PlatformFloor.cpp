// What any window like ours must hold for its whole life, without any of our own code:
// common controls 6 (a check box, a drop-down list, a progress bar) and GDI+, started once
// and drawing once. The benchmark sets our memory against this floor, not against a bare
// window, because under Wine these two parts alone cost megabytes.
#include <windows.h>
// after windows.h, which they rely on
#include <commctrl.h>
#include <objidl.h>
// GDI+ wants min and max, which NOMINMAX keeps out of windows.h.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = ::BeginPaint(window, &paint);
      static bool drawn = false;
      if (!drawn) {
        Gdiplus::Graphics graphics(dc);
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        const Gdiplus::SolidBrush brush(Gdiplus::Color(255, 61, 132, 221));
        graphics.FillEllipse(&brush, 20, 160, 120, 120);
        drawn = true;
      }
      ::EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&controls);
  ULONG_PTR gdiplus = 0;
  const Gdiplus::GdiplusStartupInput startup;
  Gdiplus::GdiplusStartup(&gdiplus, &startup, nullptr);

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"FloorPlatformWindow";
  ::RegisterClassW(&windowClass);
  const HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"Platform floor", WS_OVERLAPPEDWINDOW,
                                        CW_USEDEFAULT, CW_USEDEFAULT, 516, 489, nullptr, nullptr, instance, nullptr);
  ::CreateWindowExW(0, WC_BUTTONW, L"A check box", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 20, 20, 200, 24, window,
                    nullptr, instance, nullptr);
  const HWND list = ::CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 20, 60, 200, 200,
                                      window, nullptr, instance, nullptr);
  ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"90"));
  ::SendMessageW(list, CB_SETCURSEL, 0, 0);
  const HWND bar = ::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 20, 110, 300, 20, window, nullptr,
                                     instance, nullptr);
  ::SendMessageW(bar, PBM_SETPOS, 42, 0);
  ::ShowWindow(window, show);

  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  Gdiplus::GdiplusShutdown(gdiplus);
  return 0;
}
