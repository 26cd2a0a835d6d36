#pragma once

#include <windows.h>

#include "ui/ControlOf.h"

// A control that draws itself: one window class per kind, messages handled by the object.
class TCustomControl : public TControlOf<TComponent> {
 public:
  using TControlOf::TControlOf;

 protected:
  // The class name; it is registered on first use.
  virtual const wchar_t* CustomClassName() const = 0;
  virtual DWORD CustomStyle() const { return WS_VISIBLE; }
  // Messages of the control's window; unhandled ones go to DefWindowProc.
  virtual bool HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
  // Paints into an off-screen bitmap of the client size, which then goes to the screen at once.
  virtual void PaintBuffered(HDC dc, const RECT& client) = 0;

  TCreateParams CreateParams() const override;
  void Repaint();

 private:
  static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void PaintWindow();
};
