#pragma once

// The update prompt's notice row, in pixels at the dialog's DPI. The extra height is added
// to the dialog's outer height; the tops are measured from that grown outer height but
// used as client coordinates, which keeps the row just above the bottom edge.
struct TNoticeLayout {
  int ExtraHeight = 0;
  int LineTop = 0;
  int RowTop = 0;
  int RowLeft = 0;

  friend bool operator==(const TNoticeLayout&, const TNoticeLayout&) = default;
};

// A length written at 96 DPI scaled to Dpi: the scale factor is taken in whole hundredths
// (144 DPI gives 1.50, 120 DPI 1.25) and the product rounded to the nearest pixel, halves
// away from zero.
int ScaleByDpiFactor(int value96, int dpi);

// The row below the buttons for a dialog whose outer height before growing is Height.
TNoticeLayout NoticeLayout(int height, int dpi, int layoutAdjust);
