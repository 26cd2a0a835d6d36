#include "update/PromptLayout.h"

int ScaleByDpiFactor(int value96, int dpi) {
  const long long hundredths = static_cast<long long>(dpi) * 100 / 96;
  const long long product = static_cast<long long>(value96) * hundredths;
  const long long rounded = product >= 0 ? (product + 50) / 100 : -((-product + 50) / 100);
  return static_cast<int>(rounded);
}

TNoticeLayout NoticeLayout(int height, int dpi, int layoutAdjust) {
  TNoticeLayout layout;
  layout.ExtraHeight = ScaleByDpiFactor(40 - layoutAdjust, dpi);
  const int grown = height + layout.ExtraHeight;
  layout.LineTop = grown - ScaleByDpiFactor(76 - layoutAdjust, dpi);
  layout.RowTop = grown - ScaleByDpiFactor(66 - layoutAdjust, dpi);
  layout.RowLeft = ScaleByDpiFactor(10, dpi);
  return layout;
}
