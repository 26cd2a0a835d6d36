#pragma once

#include <functional>
#include <optional>
#include <string>

#include "ui/CustomControl.h"
#include "ui/StyleFamily.h"

// A button drawn from the five attribute sets of a style family: disabled when disabled,
// pressed while pressed or down, hot under the mouse, normal otherwise. It takes the
// keyboard focus only from the keyboard (Tab), and then adds a focus cue to its set.
class TStyledButton : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

  std::function<void(TStyledButton&)> OnClick;

  // Chooses the sets; the radius and draw type, when given, override the family's.
  void SetStyle(std::string family, std::string appearance, std::optional<int> radius = std::nullopt,
                std::optional<TStyledButtonDrawType> drawType = std::nullopt);
  const std::optional<TButtonStyleSet>& Styles() const { return FStyles; }

  bool Down() const { return FDown; }
  virtual void SetDown(bool down);

  TStyledButtonState State() const;
  void Click();

  // Draws the button face in a state; the window paints with it, tests render with it.
  void PaintFace(HDC dc, const RECT& bounds, TStyledButtonState state, bool focused);

 protected:
  const wchar_t* CustomClassName() const override { return L"OrvantaStyledButton"; }
  DWORD CustomStyle() const override { return WS_VISIBLE | WS_TABSTOP; }
  bool HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void PaintBuffered(HDC dc, const RECT& client) override;

 private:
  bool PointerInside(LPARAM lParam) const;

  std::optional<TButtonStyleSet> FStyles;
  bool FDown = false;
  bool FHot = false;
  bool FMousePressed = false;
  bool FMouseInside = false;
  bool FKeyPressed = false;
  bool FFocused = false;
};
