#pragma once

#include "ui/CustomControl.h"

// A spinning ring of dots that says "busy". It animates only while it is shown.
class TActivityIndicator : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  bool HasCaption() const override { return false; }

  bool Animating() const { return FAnimating; }
  void SetAnimating(bool animating);
  void Realize() override;

 protected:
  const wchar_t* CustomClassName() const override { return L"OrvantaActivityIndicator"; }
  bool HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void PaintBuffered(HDC dc, const RECT& client) override;
  // It is laid over other controls, so it goes on top of them.
  void HandleCreated() override;

 private:
  void UpdateTimer();

  bool FAnimating = false;
  int FFrame = 0;
};
