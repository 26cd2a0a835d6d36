#include "ui/SystemColors.h"

namespace {

TColor SystemColorOf(int index) {
  return ::GetSysColor(index);
}

}  // namespace

void UseWindowsSystemColors() {
  SetSystemColorResolver(&SystemColorOf);
}

COLORREF ColorToColorRef(TColor color, int defaultIndex) {
  if (color == clDefault) return ::GetSysColor(defaultIndex);
  if (IsSystemColor(color)) return ::GetSysColor(SystemColorIndex(color));
  return color & 0x00FFFFFF;
}
