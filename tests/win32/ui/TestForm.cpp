#include "TestForm.h"

COLORREF PrintedPixel(HWND control, int x, int y) {
  RECT client{};
  ::GetClientRect(control, &client);
  const HDC screen = ::GetDC(nullptr);
  const HDC memory = ::CreateCompatibleDC(screen);
  const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
  const HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  const COLORREF pixel = ::GetPixel(memory, x, y);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return pixel;
}
