#include "TestForm.h"

#include "Canvas.h"

COLORREF PrintedPixel(HWND control, int x, int y) {
  RECT client{};
  ::GetClientRect(control, &client);
  const TCanvas canvas(client.right, client.bottom);
  ::SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()), PRF_CLIENT);
  return static_cast<COLORREF>(canvas.At(x, y));
}
