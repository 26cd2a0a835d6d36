#pragma once

#include <windows.h>

// Layout is written in pixels at 96 DPI and scaled to the window's DPI when applied.
struct TRect96 {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

inline int ScaleToDpi(int value96, UINT dpi) {
  return ::MulDiv(value96, static_cast<int>(dpi), 96);
}
