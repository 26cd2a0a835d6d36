#pragma once

#include "ui/Color.h"
#include "ui/CustomControl.h"

// A filled rectangle whose outline has the fill colour: one solid bar.
class TShape : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  bool HasCaption() const override { return false; }

  TColor FillColor() const { return FFill; }
  void SetFillColor(TColor color);

 protected:
  const wchar_t* CustomClassName() const override { return L"OrvantaShape"; }
  DWORD CustomStyle() const override { return WS_VISIBLE | WS_DISABLED; }  // never takes clicks
  bool HandleWindowMessage(UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
  void PaintBuffered(HDC dc, const RECT& client) override;

 private:
  TColor FFill = clBlack;
};
