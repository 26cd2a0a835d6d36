#include "tray/TrayPictures.h"

#include "tray/ChipIcon.h"

HICON TTrayPictures::Picture(int index) {
  if (index < 0 || index > 1) return nullptr;
  const int size = TrayIconSize();
  if (size != FSize) {
    // The DPI changed (or this is the first use): both pictures are drawn anew.
    FIcons[0] = TIconHandle();
    FIcons[1] = TIconHandle();
    FSize = size;
  }
  TIconHandle& icon = FIcons[index];
  if (icon.Get() == nullptr) icon = CreateChipIcon(index == 0 ? TChipPicture::Idle : TChipPicture::Cleaning, size);
  return icon.Get();
}

int TrayIconSize() {
  // The notification area lives on the taskbar; its DPI follows the display settings as they
  // are now, while the system DPI of this process stays what it was at start.
  const HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
  UINT dpi = taskbar != nullptr ? ::GetDpiForWindow(taskbar) : 0;
  if (dpi == 0) dpi = ::GetDpiForSystem();
  const int size = ::GetSystemMetricsForDpi(SM_CXSMICON, dpi);
  return size > 0 ? size : 16;
}
