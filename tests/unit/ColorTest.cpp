#include <gtest/gtest.h>

#include <climits>

#include "appearance/AccentBlue.h"
#include "ui/Color.h"

namespace {

struct TColorCase {
  const char* Name;
  TColor Actual;
  TColor Expected;
};

TEST(ColorHelpers, DeriveTheFamilysGreysAndLightBlue) {
  const TColorCase cases[] = {
      {"accent lightened 10 %", Lighten(AccentBlue, 10), 0x00E09050},
      {"accent lightened 50 %", Lighten(AccentBlue, 50), RGBColor(158, 194, 238)},
      {"grey of accent 50 %", ToGray(Lighten(AccentBlue, 50)), 0x00BCBCBC},
      {"grey of black 50 %", ToGray(Lighten(clBlack, 50)), 0x00808080},
      {"grey of accent 70 %", ToGray(Lighten(AccentBlue, 70)), 0x00D7D7D7},
      {"grey of black 70 %", ToGray(Lighten(clBlack, 70)), 0x00B3B3B3},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Actual, c.Expected) << c.Name;
}

TEST(ColorHelpers, LightenRoundsHalvesAwayFromZeroAndStaysInRange) {
  const TColorCase cases[] = {
      // 255 * 70 / 100 = 178.5: a half rounded up, where rounding to even would give 178.
      {"half rounds up", Lighten(clBlack, 70), RGBColor(179, 179, 179)},
      {"zero percent keeps the colour", Lighten(AccentBlue, 0), AccentBlue},
      {"hundred percent is white", Lighten(AccentBlue, 100), clWhite},
      // 55 * -10 / 100 = -5.5: away from zero is -6.
      {"negative half rounds down", Lighten(RGBColor(200, 200, 200), -10), RGBColor(194, 194, 194)},
      {"above hundred clamps to white", Lighten(RGBColor(10, 20, 30), 150), clWhite},
      {"far below zero clamps to black", Lighten(RGBColor(100, 150, 200), -1000), clBlack},
      {"huge percent does not overflow", Lighten(RGBColor(1, 2, 3), INT_MAX), clWhite},
      {"huge negative percent does not overflow", Lighten(RGBColor(1, 2, 3), INT_MIN), clBlack},
      {"channels move separately", Lighten(RGBColor(0, 255, 100), 20), RGBColor(51, 255, 131)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Actual, c.Expected) << c.Name;
}

TEST(ColorHelpers, ToGrayWeighsTheChannelsAndKeepsThePlainTopByte) {
  const TColorCase cases[] = {
      {"red", ToGray(RGBColor(255, 0, 0)), RGBColor(76, 76, 76)},                   // 76.245
      {"green", ToGray(RGBColor(0, 255, 0)), RGBColor(150, 150, 150)},              // 149.685
      {"exact half rounds up", ToGray(RGBColor(0, 0, 250)), RGBColor(29, 29, 29)},  // 28.5
      {"white stays white", ToGray(clWhite), clWhite},
      {"top byte kept", ToGray(0x02FF0000), 0x021D1D1D},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Actual, c.Expected) << c.Name;
}

TEST(ColorHelpers, SpecialValuesComeBackUnchanged) {
  for (const TColor special : {clNone, clDefault}) {
    EXPECT_EQ(ToGray(special), special);
    EXPECT_EQ(Lighten(special, 50), special);
  }
}

class SystemColors : public ::testing::Test {
 protected:
  void TearDown() override { SetSystemColorResolver(nullptr); }

  static TColor FakeResolver(int index) {
    // A stray top byte from the resolver must not leak into the result.
    return index == 17 ? 0xAB6D6D6D : 0xAB000000 | RGBColor(static_cast<std::uint8_t>(index), 0, 0);
  }
};

TEST_F(SystemColors, AreResolvedBeforeTheyAreDerived) {
  SetSystemColorResolver(&FakeResolver);
  const TColor grayText = SystemColor(17);
  EXPECT_EQ(grayText, 0xFF000011u);
  EXPECT_EQ(ColorToRGB(grayText), 0x006D6D6Du);
  EXPECT_EQ(Lighten(grayText, 10), RGBColor(124, 124, 124));  // 109 + 14.6
  // Plain RGB: keeping the 0xFF top byte would make the grey read as a system colour index.
  EXPECT_EQ(ToGray(grayText), 0x006D6D6Du);
  EXPECT_EQ(ToGray(SystemColor(200)), RGBColor(60, 60, 60));  // 0.299 * 200 = 59.8
}

TEST_F(SystemColors, ReadAsBlackWithoutAResolver) {
  SetSystemColorResolver(nullptr);
  EXPECT_EQ(ColorToRGB(SystemColor(5)), clBlack);
  EXPECT_EQ(Lighten(SystemColor(5), 50), RGBColor(128, 128, 128));
  EXPECT_EQ(ColorToRGB(0x12345678), 0x00345678u);
}

}  // namespace
