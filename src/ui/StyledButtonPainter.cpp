#include "ui/StyledButtonPainter.h"

#include <algorithm>

#include "ui/GdiPlus.h"
#include "ui/SystemColors.h"
#include "win32/GdiObject.h"

namespace {

// Puts back the DC's colours, modes and selected objects when the paint ends.
class TSavedDC {
 public:
  explicit TSavedDC(HDC dc) : FDC(dc), FSaved(::SaveDC(dc)) {}
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;
  ~TSavedDC() {
    if (FSaved) ::RestoreDC(FDC, FSaved);
  }

 private:
  HDC FDC;
  int FSaved;
};

float Scaled(int length, UINT dpi) {
  return static_cast<float>(::MulDiv(length, static_cast<int>(dpi), 96));
}

Gdiplus::Color ToGdiPlus(TColor color, int defaultIndex) {
  const COLORREF rgb = ColorToColorRef(color, defaultIndex);
  return Gdiplus::Color(255, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

Gdiplus::RectF Inset(const Gdiplus::RectF& rect, float by) {
  return Gdiplus::RectF(rect.X + by, rect.Y + by, std::max(0.0f, rect.Width - 2 * by),
                        std::max(0.0f, rect.Height - 2 * by));
}

// The corner radius in device pixels for the draw type; an ellipse has none.
float CornerRadius(const TStyledButtonAttributes& attributes, const Gdiplus::RectF& rect, UINT dpi) {
  const float half = std::min(rect.Width, rect.Height) / 2;
  switch (attributes.DrawType) {
    case btRoundRect:
      return std::clamp(Scaled(attributes.Radius, dpi), 0.0f, half);
    case btRounded:
      return half;
    case btRect:
    case btEllipse:
      break;
  }
  return 0;
}

void AddShape(Gdiplus::GraphicsPath& path, const Gdiplus::RectF& rect, float radius,
              const TStyledButtonAttributes& attributes) {
  if (rect.Width <= 0 || rect.Height <= 0) return;
  if (attributes.DrawType == btEllipse) {
    path.AddEllipse(rect);
    return;
  }
  if (radius < 0.5f) {
    path.AddRectangle(rect);
    return;
  }
  const float d = 2 * radius;
  const float left = rect.X, top = rect.Y, right = rect.X + rect.Width, bottom = rect.Y + rect.Height;
  const TRoundedCorners corners = attributes.RoundedCorners;
  // Clockwise from the top-left; the path joins the corners with straight edges.
  path.StartFigure();
  if (corners.Contains(rcTopLeft)) {
    path.AddArc(left, top, d, d, 180, 90);
  } else {
    path.AddLine(left, top, left, top);
  }
  if (corners.Contains(rcTopRight)) {
    path.AddArc(right - d, top, d, d, 270, 90);
  } else {
    path.AddLine(right, top, right, top);
  }
  if (corners.Contains(rcBottomRight)) {
    path.AddArc(right - d, bottom - d, d, d, 0, 90);
  } else {
    path.AddLine(right, bottom, right, bottom);
  }
  if (corners.Contains(rcBottomLeft)) {
    path.AddArc(left, bottom - d, d, d, 90, 90);
  } else {
    path.AddLine(left, bottom, left, bottom);
  }
  path.CloseFigure();
}

// Pens are placed by pixel centres: with no pixel offset, pixel (x, y) is centred on (x, y), so
// a stroke along x + 0.5 in area terms goes along x. Windows and Wine agree on strokes placed
// this way, and on fills placed by pixel areas, but not on the mixed cases.
void StrokeShape(Gdiplus::Graphics& graphics, const Gdiplus::Pen& pen, const Gdiplus::RectF& rect, float radius,
                 const TStyledButtonAttributes& attributes) {
  Gdiplus::GraphicsPath path;
  AddShape(path, Gdiplus::RectF(rect.X - 0.5f, rect.Y - 0.5f, rect.Width, rect.Height), radius, attributes);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeNone);
  graphics.DrawPath(&pen, &path);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
}

void PaintShape(HDC dc, const RECT& bounds, const TStyledButtonAttributes& attributes, float border, UINT dpi,
                bool focused) {
  Gdiplus::Graphics graphics(dc);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  // For fills, pixel (x, y) covers [x, x + 1): a shape on whole numbers has crisp straight edges.
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);

  const Gdiplus::RectF outer(static_cast<float>(bounds.left), static_cast<float>(bounds.top),
                             static_cast<float>(bounds.right - bounds.left),
                             static_cast<float>(bounds.bottom - bounds.top));
  const float radius = CornerRadius(attributes, outer, dpi);

  // One outline through the middle of the border: the fill reaches it and the pen covers the
  // border's width on both sides, so no fill colour shows outside and no gap opens inside.
  const Gdiplus::RectF middle = Inset(outer, border / 2);
  const float middleRadius = std::max(0.0f, radius - border / 2);
  if (attributes.ButtonDrawStyle == btnSolid && attributes.ButtonColor != clNone) {
    Gdiplus::GraphicsPath shape;
    AddShape(shape, middle, middleRadius, attributes);
    const Gdiplus::SolidBrush brush(ToGdiPlus(attributes.ButtonColor, COLOR_BTNFACE));
    graphics.FillPath(&brush, &shape);
  }
  if (border > 0 && attributes.BorderColor != clNone) {
    const Gdiplus::Pen pen(ToGdiPlus(attributes.BorderColor, COLOR_BTNSHADOW), border);
    StrokeShape(graphics, pen, middle, middleRadius, attributes);
  }
  if (focused && attributes.FontColor != clNone) {
    const float line = std::max(1.0f, Scaled(1, dpi));
    const float gap = border + Scaled(2, dpi);
    Gdiplus::Pen pen(ToGdiPlus(attributes.FontColor, COLOR_BTNTEXT), line);
    pen.SetDashStyle(Gdiplus::DashStyleDot);
    StrokeShape(graphics, pen, Inset(outer, gap + line / 2), std::max(0.0f, radius - gap - line / 2), attributes);
  }
}

// The caller's font with the set's font style applied; none when the font already has it.
TGdiObject<HFONT> StyledFont(HFONT font, const TFontStyles& style) {
  if (style.Empty()) return TGdiObject<HFONT>();
  LOGFONTW logFont{};
  if (::GetObjectW(font, sizeof logFont, &logFont) != sizeof logFont) return TGdiObject<HFONT>();
  if (style.Contains(fsBold)) logFont.lfWeight = FW_BOLD;
  if (style.Contains(fsItalic)) logFont.lfItalic = TRUE;
  if (style.Contains(fsUnderline)) logFont.lfUnderline = TRUE;
  if (style.Contains(fsStrikeOut)) logFont.lfStrikeOut = TRUE;
  return TGdiObject<HFONT>(::CreateFontIndirectW(&logFont));
}

void PaintCaption(HDC dc, const RECT& bounds, const TStyledButtonAttributes& attributes, std::wstring_view caption,
                  HFONT font, float border, UINT dpi) {
  if (caption.empty() || attributes.FontColor == clNone) return;
  HFONT baseFont = font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  const TGdiObject<HFONT> styled = StyledFont(baseFont, attributes.FontStyle);
  // Selected after the font is made and unselected before it is deleted.
  const TSelectObject selected(dc, styled.Get() ? styled.Get() : baseFont);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ColorToColorRef(attributes.FontColor, COLOR_BTNTEXT));
  // GDI draws the text: it links fonts for Korean, Japanese and Chinese as the labels do.
  const int padding = static_cast<int>(border) + ::MulDiv(2, static_cast<int>(dpi), 96);
  RECT textBox{bounds.left + padding, bounds.top + padding, bounds.right - padding, bounds.bottom - padding};
  ::DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &textBox,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

}  // namespace

void PaintStyledButton(HDC dc, const RECT& bounds, const TStyledButtonAttributes& attributes, std::wstring_view caption,
                       HFONT font, UINT dpi, bool focused) {
  if (!dc || bounds.right <= bounds.left || bounds.bottom <= bounds.top) return;
  if (dpi == 0) dpi = USER_DEFAULT_SCREEN_DPI;
  const TSavedDC saved(dc);

  float border = 0;
  if (attributes.BorderDrawStyle == brdSolid) {
    border = attributes.BorderWidth > 0 ? Scaled(attributes.BorderWidth, dpi) : std::max(1.0f, Scaled(1, dpi));
    const LONG shorter = std::min(bounds.right - bounds.left, bounds.bottom - bounds.top);
    border = std::min(border, static_cast<float>(shorter) / 2);
  }
  // Without GDI+ the face has no shape, but the caption still tells what the button does.
  if (GdiPlusReady()) PaintShape(dc, bounds, attributes, border, dpi, focused);
  PaintCaption(dc, bounds, attributes, caption, font, border, dpi);
}
