#pragma once

#include <windows.h>

// A real click at a screen point through the input system. The position travels in the
// events themselves: a separate SetCursorPos may reach the display after the button does,
// and the first click of a process then lands where the pointer was before.
inline void ClickScreenAt(POINT point, bool rightButton = false) {
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT inputs[3]{};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(point.x, 65535, width > 1 ? width - 1 : 1);
    input.mi.dy = ::MulDiv(point.y, 65535, height > 1 ? height - 1 : 1);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  }
  inputs[1].mi.dwFlags |= rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags |= rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  ::SendInput(3, inputs, sizeof(INPUT));
}
