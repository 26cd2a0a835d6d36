#include "ui/ActivityIndicator.h"

#include <cmath>
#include <numbers>

#include "win32/GdiObject.h"

namespace {

constexpr UINT_PTR FrameTimer = 1;
constexpr UINT FrameMs = 80;
constexpr int Dots = 8;

}  // namespace

void TActivityIndicator::SetAnimating(bool animating) {
  FAnimating = animating;
  UpdateTimer();
}

void TActivityIndicator::Realize() {
  TCustomControl::Realize();
  UpdateTimer();
}

void TActivityIndicator::HandleCreated() {
  ::SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TActivityIndicator::UpdateTimer() {
  if (Handle() == nullptr) return;
  if (FAnimating && Showing()) {
    ::SetTimer(Handle(), FrameTimer, FrameMs, nullptr);
  } else {
    ::KillTimer(Handle(), FrameTimer);
  }
  Repaint();
}

bool TActivityIndicator::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message != WM_TIMER || wParam != FrameTimer) return false;
  FFrame = (FFrame + 1) % Dots;
  Repaint();
  result = 0;
  return true;
}

void TActivityIndicator::PaintBuffered(HDC dc, const RECT& client) {
  ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  const int size = std::min(client.right, client.bottom);
  const double ring = size * 0.36;
  const int dot = std::max(2, size / 7);
  const double centreX = client.right / 2.0;
  const double centreY = client.bottom / 2.0;
  const TSelectObject noOutline(dc, ::GetStockObject(NULL_PEN));
  for (int i = 0; i < Dots; ++i) {
    // The leading dot is darkest; the ones behind it fade towards the background.
    const int age = (FFrame - i + Dots) % Dots;
    const int grey = 64 + age * 22;
    const TGdiObject<HBRUSH> brush(::CreateSolidBrush(RGB(grey, grey, grey)));
    const TSelectObject fill(dc, brush.Get());
    const double angle = 2 * std::numbers::pi * i / Dots;
    const int x = static_cast<int>(std::lround(centreX + ring * std::cos(angle)));
    const int y = static_cast<int>(std::lround(centreY + ring * std::sin(angle)));
    ::Ellipse(dc, x - dot / 2, y - dot / 2, x + dot / 2 + 1, y + dot / 2 + 1);
  }
}
