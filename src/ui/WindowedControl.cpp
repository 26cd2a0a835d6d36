#include "ui/WindowedControl.h"

#include "ui/Form.h"

namespace {

constexpr wchar_t ControlProperty[] = L"Orvanta.Control";

}  // namespace

TWindowedControl::TWindowedControl(TLayoutNode* parent, TRect96 bounds, int controlId)
    : TLayoutNode(parent, bounds), FControlId(controlId) {}

TWindowedControl::~TWindowedControl() {
  if (FHandle != nullptr) {
    ::RemovePropW(FHandle, ControlProperty);
    ::DestroyWindow(FHandle);
  }
}

void TWindowedControl::SetWindowCaption(std::u16string_view caption) {
  FCaption = caption;
  if (FHandle != nullptr) ::SetWindowTextW(FHandle, AsWide(FCaption));
}

void TWindowedControl::SetEnabled(bool enabled) {
  FEnabled = enabled;
  if (FHandle != nullptr) ::EnableWindow(FHandle, enabled);
}

void TWindowedControl::SetFont(const TFontDescription& font) {
  FFont = font;
  Realize();
}

void TWindowedControl::SetFontColor(COLORREF color) {
  FFontColor = color;
  if (FHandle != nullptr) ::InvalidateRect(FHandle, nullptr, TRUE);
}

void TWindowedControl::CreateHandles() {
  TFormWindow* form = Form();
  if (FHandle == nullptr && form != nullptr && form->Handle() != nullptr) {
    const TCreateParams params = CreateParams();
    FHandle = ::CreateWindowExW(params.ExStyle, params.ClassName, AsWide(FCaption), params.Style | WS_CHILD, 0, 0, 0, 0,
                                form->Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(FControlId)),
                                ::GetModuleHandleW(nullptr), this);
    if (FHandle != nullptr) {
      ::SetPropW(FHandle, ControlProperty, this);
      if (!FEnabled) ::EnableWindow(FHandle, FALSE);
      HandleCreated();
    }
  }
  TLayoutNode::CreateHandles();
}

void TWindowedControl::Realize() {
  TFormWindow* form = Form();
  if (FHandle != nullptr && form != nullptr) {
    const UINT dpi = form->Dpi();
    const POINT origin = OriginInForm96();
    ::SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(form->FontFor(FFont)), FALSE);
    ::SetWindowPos(FHandle, nullptr, ScaleToDpi(origin.x, dpi), ScaleToDpi(origin.y, dpi),
                   ScaleToDpi(Bounds().Width, dpi), ScaleToDpi(Bounds().Height, dpi),
                   SWP_NOZORDER | SWP_NOACTIVATE | (Showing() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    ::InvalidateRect(FHandle, nullptr, TRUE);
  }
  TLayoutNode::Realize();
}

void TWindowedControl::ForgetHandles() {
  FHandle = nullptr;
  TLayoutNode::ForgetHandles();
}

TWindowedControl* TWindowedControl::FromHandle(HWND window) {
  return window != nullptr ? static_cast<TWindowedControl*>(::GetPropW(window, ControlProperty)) : nullptr;
}
