#include "update/PromptLayout.h"

#include <gtest/gtest.h>

namespace {

struct TScaleCase {
  int Value96;
  int Dpi;
  int Expected;
};

TEST(PromptLayout, ScalesByTheFactorInHundredthsAndRoundsToNearest) {
  const TScaleCase cases[] = {
      {30, 96, 30},  {30, 144, 45}, {66, 144, 99}, {56, 144, 84}, {10, 144, 15}, {30, 120, 38},  // 37.5 rounds up
      {30, 168, 53},                                                                             // 52.5 rounds up
      {30, 110, 34},  // factor 1.14, not 110/96 = 1.1458...: 34.2
      {-5, 144, -8},  // -7.5 rounds away from zero
      {0, 144, 0},
  };
  for (const TScaleCase& c : cases) {
    EXPECT_EQ(ScaleByDpiFactor(c.Value96, c.Dpi), c.Expected) << c.Value96 << " at " << c.Dpi << " DPI";
  }
}

struct TLayoutCase {
  int Height;
  int Dpi;
  int LayoutAdjust;
  TNoticeLayout Expected;
};

TEST(PromptLayout, PlacesLineAndRowAboveTheGrownBottomEdge) {
  const TLayoutCase cases[] = {
      // 30 extra; line 66 and row 56 above the grown height; row 10 from the left.
      {150, 96, 10, {30, 114, 124, 10}},
      // 45 extra; line 99 and row 84 above it; row 15 from the left.
      {225, 144, 10, {45, 171, 186, 15}},
      // Without the main window's adjustment the row moves further up.
      {150, 96, 0, {40, 114, 124, 10}},
  };
  for (const TLayoutCase& c : cases) {
    const TNoticeLayout layout = NoticeLayout(c.Height, c.Dpi, c.LayoutAdjust);
    EXPECT_EQ(layout.ExtraHeight, c.Expected.ExtraHeight) << c.Dpi << " DPI, adjust " << c.LayoutAdjust;
    EXPECT_EQ(layout.LineTop, c.Expected.LineTop) << c.Dpi << " DPI, adjust " << c.LayoutAdjust;
    EXPECT_EQ(layout.RowTop, c.Expected.RowTop) << c.Dpi << " DPI, adjust " << c.LayoutAdjust;
    EXPECT_EQ(layout.RowLeft, c.Expected.RowLeft) << c.Dpi << " DPI, adjust " << c.LayoutAdjust;
  }
}

}  // namespace
