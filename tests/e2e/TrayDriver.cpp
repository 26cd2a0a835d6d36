#include "TrayDriver.h"

// after windows.h, which it relies on
#include <shellapi.h>

#include "Canvas.h"

RECT TaskbarRect() {
  RECT rect{};
  if (const HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr)) ::GetWindowRect(taskbar, &rect);
  return rect;
}

std::optional<POINT> FindTaskbarColour(TColor colour) {
  const RECT area = TaskbarRect();
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return std::nullopt;
  TCanvas canvas(width, height);
  const HDC screen = ::GetDC(nullptr);
  ::BitBlt(canvas.DC(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  ::ReleaseDC(nullptr, screen);
  long long sumX = 0;
  long long sumY = 0;
  long long count = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (canvas.At(x, y) != colour) continue;
      sumX += x;
      sumY += y;
      ++count;
    }
  }
  if (count == 0) return std::nullopt;
  return POINT{area.left + static_cast<LONG>(sumX / count), area.top + static_cast<LONG>(sumY / count)};
}

bool ShellKnowsIcon(HWND window, UINT id) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window;
  data.uID = id;
  return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}
