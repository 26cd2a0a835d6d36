#pragma once

#include <windows.h>

#include "win32/IconHandle.h"

// The two pictures of the tray icon (0 idle, 1 cleaning), drawn for the size the
// notification area shows at the system's DPI rather than scaled from a small bitmap.
class TTrayPictures {
 public:
  // The picture at the tray's current size; null when it could not be made.
  HICON Picture(int index);

 private:
  int FSize = 0;
  TIconHandle FIcons[2];
};

// Edge length of a notification-area icon at the taskbar's DPI (16, 20, 24 or 32 pixels).
int TrayIconSize();
