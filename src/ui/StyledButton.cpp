#include "ui/StyledButton.h"

#include <windowsx.h>

#include "ui/Form.h"
#include "ui/StyledButtonPainter.h"

void TStyledButton::SetStyle(std::string family, std::string appearance, std::optional<int> radius,
                             std::optional<TStyledButtonDrawType> drawType) {
  FStyles = BuildButtonStyles(family, "", appearance);
  if (FStyles) {
    for (TStyledButtonAttributes* set :
         {&FStyles->Normal, &FStyles->Pressed, &FStyles->Selected, &FStyles->Hot, &FStyles->Disabled}) {
      if (radius) set->Radius = *radius;
      if (drawType) set->DrawType = *drawType;
    }
  }
  Repaint();
}

void TStyledButton::SetDown(bool down) {
  if (FDown == down) return;
  FDown = down;
  Repaint();
}

TStyledButtonState TStyledButton::State() const {
  const bool pressed = FDown || FKeyPressed || (FMousePressed && FMouseInside);
  return StyledButtonStateFor(Enabled(), pressed, FHot);
}

void TStyledButton::Click() {
  if (Enabled() && OnClick) OnClick(*this);
}

void TStyledButton::PaintFace(HDC dc, const RECT& bounds, TStyledButtonState state, bool focused) {
  TFormWindow* form = Form();
  const UINT dpi = form != nullptr ? form->Dpi() : 96;
  const HFONT font = form != nullptr ? form->FontFor(Font()) : nullptr;
  const TStyledButtonAttributes attributes = FStyles ? FStyles->ForState(state) : TStyledButtonAttributes{};
  PaintStyledButton(dc, bounds, attributes, AsWide(WindowCaption()), font, dpi, focused);
}

void TStyledButton::PaintBuffered(HDC dc, const RECT& client) {
  // What shows through a clear fill is the window's white.
  ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  PaintFace(dc, client, State(), FFocused);
}

bool TStyledButton::PointerInside(LPARAM lParam) const {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return ::PtInRect(&client, point) != FALSE;
}

bool TStyledButton::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_MOUSEMOVE: {
      if (!FHot) {
        FHot = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
        ::TrackMouseEvent(&track);
        Repaint();
      }
      const bool inside = PointerInside(lParam);
      if (FMousePressed && inside != FMouseInside) {
        FMouseInside = inside;
        Repaint();
      }
      return true;
    }
    case WM_MOUSELEAVE:
      FHot = false;
      Repaint();
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // Like a speed button, a click does not take the keyboard focus.
      FMousePressed = true;
      FMouseInside = true;
      ::SetCapture(Handle());
      Repaint();
      return true;
    case WM_LBUTTONUP: {
      const bool click = FMousePressed && PointerInside(lParam);
      FMousePressed = false;
      ::ReleaseCapture();
      Repaint();
      if (click) Click();
      return true;
    }
    case WM_CAPTURECHANGED:
      FMousePressed = false;
      Repaint();
      return true;
    case WM_GETDLGCODE:
      result = DLGC_BUTTON;
      if (const auto* pending = reinterpret_cast<const MSG*>(lParam);
          pending != nullptr && pending->message == WM_KEYDOWN &&
          (pending->wParam == VK_RETURN || pending->wParam == VK_SPACE)) {
        result |= DLGC_WANTMESSAGE;
      }
      return true;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && !FKeyPressed) {
        FKeyPressed = true;
        Repaint();
      } else if (wParam == VK_RETURN) {
        Click();
      }
      return true;
    case WM_KEYUP:
      if (wParam == VK_SPACE && FKeyPressed) {
        FKeyPressed = false;
        Repaint();
        Click();
      }
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      FFocused = message == WM_SETFOCUS;
      FKeyPressed = false;
      Repaint();
      return true;
    case WM_ENABLE:
      Repaint();
      return true;
    case BM_CLICK:
      Click();
      return true;
    case BM_GETCHECK:
      result = FDown ? BST_CHECKED : BST_UNCHECKED;
      return true;
    case BM_GETSTATE:
      result = (State() == bsmPressed ? BST_PUSHED : 0) | (FHot ? 0x0200 : 0) /* BST_HOT */ |
               (FFocused ? BST_FOCUS : 0) | (FDown ? BST_CHECKED : 0);
      return true;
    case WM_SETTEXT:
      result = ::DefWindowProcW(Handle(), message, wParam, lParam);
      Repaint();
      return true;
    default:
      return false;
  }
}
