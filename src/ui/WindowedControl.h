#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/Fonts.h"
#include "ui/LayoutNode.h"
#include "win32/WideText.h"

// A part of a form with a window of its own, a child of the form's window. Its caption
// is its window text, so screen readers and test drivers see what the user sees.
class TWindowedControl : public TLayoutNode {
 public:
  TWindowedControl(TLayoutNode* parent, TRect96 bounds, int controlId);
  ~TWindowedControl() override;

  HWND Handle() const { return FHandle; }
  int ControlId() const { return FControlId; }

  const std::u16string& WindowCaption() const { return FCaption; }
  void SetWindowCaption(std::u16string_view caption);

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);

  const TFontDescription& Font() const { return FFont; }
  void SetFont(const TFontDescription& font);
  COLORREF FontColor() const { return FFontColor; }
  void SetFontColor(COLORREF color);

  void CreateHandles() override;
  void Realize() override;
  void ForgetHandles() override;

  // The mouse pointer over the control; null leaves the system's choice.
  virtual HCURSOR Cursor() const { return nullptr; }

  // Notifications the form hands back to the control that sent them.
  virtual bool HandleCommand(WORD /*code*/) { return false; }
  virtual bool HandleNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }

  static TWindowedControl* FromHandle(HWND window);

 protected:
  struct TCreateParams {
    const wchar_t* ClassName;
    DWORD Style;
    DWORD ExStyle;
  };
  virtual TCreateParams CreateParams() const = 0;
  // Runs once the window exists: items, ranges and other state that lives in the window.
  virtual void HandleCreated() {}

 private:
  HWND FHandle = nullptr;
  int FControlId;
  std::u16string FCaption;
  bool FEnabled = true;
  TFontDescription FFont;
  COLORREF FFontColor = RGB(0, 0, 0);
};
