#include "ui/Shape.h"

void TShape::SetFillColor(TColor color) {
  FFill = color;
  Repaint();
}

void TShape::PaintBuffered(HDC dc, const RECT& client) {
  const HBRUSH brush = ::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(FFill)));
  ::FillRect(dc, &client, brush);
  ::DeleteObject(brush);
}
