#pragma once

#include <windows.h>

#include <functional>

#include "ui/Form.h"

// A small form for testing the toolkit: its own messages go to a handler the test sets.
class TTestForm : public TFormWindow {
 public:
  explicit TTestForm(bool borderless = false)
      : TFormWindow(u"TestForm",
                    {L"OrvantaTestForm", borderless ? WS_POPUP : WS_OVERLAPPEDWINDOW, 0, 300, 200, borderless}) {}
  ~TTestForm() override { DestroyHandle(); }

  std::function<bool(TMessage&)> OnMessage;
  int MessagesSeen = 0;

 protected:
  bool HandleMessage(TMessage& message) override {
    ++MessagesSeen;
    return OnMessage ? OnMessage(message) : false;
  }
};

// The colour a control paints at a point of its client area, asked through WM_PRINTCLIENT.
COLORREF PrintedPixel(HWND control, int x, int y);
