#include "ui/Shape.h"

#include "ui/SystemColors.h"

void TShape::SetFillColor(TColor color) {
  FFill = color;
  Repaint();
}

void TShape::PaintBuffered(HDC dc, const RECT& client) {
  const HBRUSH brush = ::CreateSolidBrush(ColorToColorRef(FFill, COLOR_WINDOWTEXT));
  ::FillRect(dc, &client, brush);
  ::DeleteObject(brush);
}
