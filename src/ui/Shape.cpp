#include "ui/Shape.h"

#include "ui/SystemColors.h"
#include "win32/GdiObject.h"

void TShape::SetFillColor(TColor color) {
  FFill = color;
  Repaint();
}

void TShape::PaintBuffered(HDC dc, const RECT& client) {
  const TGdiObject<HBRUSH> brush(::CreateSolidBrush(ColorToColorRef(FFill, COLOR_WINDOWTEXT)));
  ::FillRect(dc, &client, brush.Get());
}
