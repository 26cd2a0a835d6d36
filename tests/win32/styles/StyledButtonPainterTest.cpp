#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Canvas.h"
#include "appearance/AccentBlue.h"
#include "appearance/QuiremoButtonStyles.h"
#include "ui/Fonts.h"
#include "ui/StyleFamily.h"
#include "ui/StyledButtonPainter.h"
#include "ui/SystemColors.h"

namespace {

// Distinct from every colour of the family, so a clear fill shows as this and nothing else.
constexpr TColor Background = RGBColor(250, 232, 196);

// The window's font: Tahoma, 11 pixels high at 96 DPI.
class TTahoma {
 public:
  explicit TTahoma(UINT dpi) : FFont(CreateFontFor(TFontDescription{}, dpi)) {}
  HFONT Get() const { return FFont.Get(); }

 private:
  TGdiObject<HFONT> FFont;
};

// #RRGGBB, as colours are usually read.
unsigned Hex(TColor color) {
  return (RedOf(color) << 16) | (GreenOf(color) << 8) | BlueOf(color);
}

::testing::AssertionResult IsColor(TColor actual, TColor expected, const char* what, int x, int y, int tolerance = 0) {
  if (TCanvas::Near(actual, expected, tolerance)) return ::testing::AssertionSuccess();
  char text[128];
  std::snprintf(text, sizeof text, "%s at (%d, %d) is #%06X, expected #%06X", what, x, y, Hex(actual), Hex(expected));
  return ::testing::AssertionFailure() << text;
}

TButtonStyleSet StylesOf(const char* appearance) {
  RegisterQuiremoButtonStyles();
  const auto styles = BuildButtonStyles("Quiremo", "Primary", appearance);
  return styles ? *styles : TButtonStyleSet{};
}

const TStyledButtonState AllStates[] = {bsmNormal, bsmPressed, bsmSelected, bsmHot, bsmDisabled};

struct TButtonCase {
  const char* Name;
  const char* Appearance;
  int Width, Height;  // at 96 DPI
  int Radius;         // the control's own radius, 0 to keep the family's
  const wchar_t* Caption;
  int FillX, FillY;  // inside, away from the caption and the focus cue
  RECT CaptionBox;   // at 96 DPI
};

const TButtonCase CleanButton{"clean button", "Outline", 164, 68, 0, L"Clean", 20, 34, {40, 20, 124, 48}};
const TButtonCase HeaderButton{"header button", "Header", 70, 30, 4, L"Home", 7, 15, {10, 6, 60, 24}};

// Paints one state of a button at dpi and checks fill, border, corner and caption pixels.
void CheckFace(const TButtonCase& button, TStyledButtonState state, UINT dpi) {
  SCOPED_TRACE(std::string(button.Name) + " state " + std::to_string(state) + " at " + std::to_string(dpi) + " DPI");
  TStyledButtonAttributes set = StylesOf(button.Appearance).ForState(state);
  if (button.Radius) set.Radius = button.Radius;
  const auto scale = [dpi](int length) { return ::MulDiv(length, static_cast<int>(dpi), 96); };
  const int width = scale(button.Width), height = scale(button.Height);
  TCanvas canvas(width, height, Background);
  ASSERT_TRUE(canvas.Valid());
  const TTahoma font(dpi);
  PaintStyledButton(canvas.DC(), canvas.Bounds(), set, button.Caption, font.Get(), dpi, false);

  const bool filled = set.ButtonDrawStyle == btnSolid;
  const bool bordered = set.BorderDrawStyle == brdSolid;
  const TColor inside = filled ? set.ButtonColor : Background;
  const TColor edge = bordered ? set.BorderColor : inside;
  const int border = bordered ? std::max(1, scale(1)) : 0;
  const int fillX = scale(button.FillX), fillY = scale(button.FillY);

  EXPECT_TRUE(IsColor(canvas.At(fillX, fillY), inside, "fill", fillX, fillY));
  for (int i = 0; i < border; ++i) {
    EXPECT_TRUE(IsColor(canvas.At(i, height / 2), edge, "left edge", i, height / 2));
    EXPECT_TRUE(IsColor(canvas.At(width / 2, i), edge, "top edge", width / 2, i));
    EXPECT_TRUE(IsColor(canvas.At(width - 1 - i, height / 2), edge, "right edge", width - 1 - i, height / 2));
    EXPECT_TRUE(IsColor(canvas.At(width / 2, height - 1 - i), edge, "bottom edge", width / 2, height - 1 - i));
  }
  // Just inside the border the fill (or the background) shows again.
  EXPECT_TRUE(IsColor(canvas.At(border, height / 2), inside, "inside the left edge", border, height / 2));
  EXPECT_TRUE(IsColor(canvas.At(0, 0), Background, "rounded corner", 0, 0));

  const RECT box{scale(button.CaptionBox.left), scale(button.CaptionBox.top), scale(button.CaptionBox.right),
                 scale(button.CaptionBox.bottom)};
  EXPECT_GE(canvas.Count(box, set.FontColor, 24), scale(12)) << "caption pixels";
}

TEST(StyledButtonFace, CleanButtonPaintsEveryStateOfItsSet) {
  for (TStyledButtonState state : AllStates) CheckFace(CleanButton, state, 96);
}

TEST(StyledButtonFace, HeaderButtonPaintsEveryStateOfItsSet) {
  for (TStyledButtonState state : AllStates) CheckFace(HeaderButton, state, 96);
}

TEST(StyledButtonFace, ScalesBorderRadiusAndCaptionWithTheDpi) {
  for (TStyledButtonState state : {bsmNormal, bsmHot, bsmDisabled}) CheckFace(CleanButton, state, 144);
  CheckFace(HeaderButton, bsmPressed, 144);

  // At 144 DPI the radius is 9: pixel (1, 1) lies wholly outside the corner's arc.
  TCanvas canvas(246, 102, Background);
  PaintStyledButton(canvas.DC(), canvas.Bounds(), StylesOf("Outline").Hot, L"", nullptr, 144, false);
  EXPECT_TRUE(IsColor(canvas.At(1, 1), Background, "corner", 1, 1));
  EXPECT_TRUE(IsColor(canvas.At(2, 51), Lighten(AccentBlue, 10), "fill inside a 2-pixel border", 2, 51));
}

TEST(StyledButtonFace, FocusAddsADottedCueOverTheStatesOwnSet) {
  const TButtonStyleSet styles = StylesOf("Outline");
  const TTahoma font(96);
  for (TStyledButtonState state : {bsmNormal, bsmPressed}) {
    SCOPED_TRACE("state " + std::to_string(state));
    const TStyledButtonAttributes& set = styles.ForState(state);
    TCanvas plain(164, 68, Background), focused(164, 68, Background);
    PaintStyledButton(plain.DC(), plain.Bounds(), set, L"Clean", font.Get(), 96, false);
    PaintStyledButton(focused.DC(), focused.Bounds(), set, L"Clean", font.Get(), 96, true);

    // The cue runs two pixels inside the 1-pixel border, in the caption colour.
    const RECT cueRow{20, 3, 144, 4};
    EXPECT_EQ(plain.Count(cueRow, set.FontColor, 24), 0);
    EXPECT_GE(focused.Count(cueRow, set.FontColor, 24), 30);
    // Focus never switches to the selected set: the fill stays the state's own.
    EXPECT_TRUE(IsColor(focused.At(20, 34), plain.At(20, 34), "fill", 20, 34));
    EXPECT_TRUE(IsColor(focused.At(0, 34), set.BorderColor, "border", 0, 34));
  }
}

// A face whose fill, border and background all differ, to see which one covers a pixel.
TStyledButtonAttributes TwoColourFace(TStyledButtonDrawType drawType) {
  TStyledButtonAttributes set;
  set.DrawType = drawType;
  set.ButtonColor = RGBColor(0, 128, 0);
  set.BorderColor = RGBColor(200, 0, 0);
  return set;
}

TEST(StyledButtonFace, DrawsEachShapeAndOnlyTheRoundedCorners) {
  enum TPixel { Back, Fill, Edge };
  struct TCase {
    const char* Name;
    TStyledButtonAttributes Set;
    TPixel TopLeft, InsideCorner, TopRight, BottomLeft, LeftMiddle;
  };
  TStyledButtonAttributes oneCorner = TwoColourFace(btRoundRect);
  oneCorner.RoundedCorners = TRoundedCorners{rcTopLeft};
  const TCase cases[] = {
      {"rectangle", TwoColourFace(btRect), Edge, Fill, Edge, Edge, Edge},
      {"round rectangle", TwoColourFace(btRoundRect), Back, Fill, Back, Back, Edge},
      {"rounded ends", TwoColourFace(btRounded), Back, Back, Back, Back, Edge},
      {"ellipse", TwoColourFace(btEllipse), Back, Back, Back, Back, Edge},
      {"top-left corner only", oneCorner, Back, Fill, Edge, Edge, Edge},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TCanvas canvas(164, 68, Background);
    PaintStyledButton(canvas.DC(), canvas.Bounds(), c.Set, L"", nullptr, 96, false);
    const auto expect = [&](int x, int y, TPixel pixel, const char* what) {
      const TColor expected = pixel == Back ? Background : pixel == Fill ? c.Set.ButtonColor : c.Set.BorderColor;
      // Where a curve meets the sampled pixel, anti-aliasing may leave a trace of its neighbour.
      EXPECT_TRUE(IsColor(canvas.At(x, y), expected, what, x, y, 8));
    };
    expect(0, 0, c.TopLeft, "top-left corner");
    expect(5, 5, c.InsideCorner, "inside the top-left corner");
    expect(163, 0, c.TopRight, "top-right corner");
    expect(0, 67, c.BottomLeft, "bottom-left corner");
    expect(0, 34, c.LeftMiddle, "left middle");
    expect(82, 0, Edge, "top middle");
    expect(82, 34, Fill, "centre");
  }
}

TEST(StyledButtonFace, BorderWidthIsScaledAndZeroStillShowsABorder) {
  struct TCase {
    int BorderWidth;
    UINT Dpi;
    int Pixels;
  };
  const TCase cases[] = {{0, 96, 1}, {0, 144, 2}, {3, 96, 3}, {2, 144, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE("width " + std::to_string(c.BorderWidth) + " at " + std::to_string(c.Dpi) + " DPI");
    TStyledButtonAttributes set = TwoColourFace(btRoundRect);
    set.BorderWidth = c.BorderWidth;
    TCanvas canvas(200, 80, Background);
    PaintStyledButton(canvas.DC(), canvas.Bounds(), set, L"", nullptr, c.Dpi, false);
    for (int x = 0; x < c.Pixels; ++x) EXPECT_TRUE(IsColor(canvas.At(x, 40), set.BorderColor, "border", x, 40));
    EXPECT_TRUE(IsColor(canvas.At(c.Pixels, 40), set.ButtonColor, "fill", c.Pixels, 40));
    EXPECT_TRUE(IsColor(canvas.At(199, 40), set.BorderColor, "right border", 199, 40));
  }
}

TEST(StyledButtonFace, ResolvesSystemColoursAndPaintsNothingForNoColour) {
  TStyledButtonAttributes set = TwoColourFace(btRect);
  set.ButtonColor = SystemColor(COLOR_HIGHLIGHT);
  set.BorderColor = clDefault;
  TCanvas canvas(100, 40, Background);
  PaintStyledButton(canvas.DC(), canvas.Bounds(), set, L"", nullptr, 96, false);
  EXPECT_TRUE(IsColor(canvas.At(50, 20), ::GetSysColor(COLOR_HIGHLIGHT), "system fill", 50, 20));
  EXPECT_TRUE(IsColor(canvas.At(0, 20), ::GetSysColor(COLOR_BTNSHADOW), "default border", 0, 20));

  set.ButtonColor = clNone;
  set.BorderColor = clNone;
  TCanvas empty(100, 40, Background);
  PaintStyledButton(empty.DC(), empty.Bounds(), set, L"", nullptr, 96, false);
  EXPECT_TRUE(IsColor(empty.At(50, 20), Background, "no fill", 50, 20));
  EXPECT_TRUE(IsColor(empty.At(0, 20), Background, "no border", 0, 20));

  // Once the program has handed the system's colours to the portable helpers they agree.
  UseWindowsSystemColors();
  EXPECT_EQ(ColorToRGB(SystemColor(COLOR_HIGHLIGHT)), ::GetSysColor(COLOR_HIGHLIGHT));
  SetSystemColorResolver(nullptr);
}

TEST(StyledButtonFace, AppliesTheFontStyleAndLeavesTheDcAsItWas) {
  const TTahoma font(96);
  TStyledButtonAttributes set = StylesOf("Outline").Normal;
  TCanvas regular(164, 68, Background);
  PaintStyledButton(regular.DC(), regular.Bounds(), set, L"Clean", font.Get(), 96, false);
  set.FontStyle = TFontStyles{fsBold};
  TCanvas bold(164, 68, Background);
  ::SetTextColor(bold.DC(), RGB(1, 2, 3));
  ::SetBkMode(bold.DC(), OPAQUE);
  const HGDIOBJ fontBefore = ::GetCurrentObject(bold.DC(), OBJ_FONT);
  PaintStyledButton(bold.DC(), bold.Bounds(), set, L"Clean", font.Get(), 96, false);

  const RECT box = CleanButton.CaptionBox;
  EXPECT_GT(bold.Count(box, clBlack, 24), regular.Count(box, clBlack, 24) + 10);
  EXPECT_EQ(::GetTextColor(bold.DC()), RGB(1, 2, 3));
  EXPECT_EQ(::GetBkMode(bold.DC()), OPAQUE);
  EXPECT_EQ(::GetCurrentObject(bold.DC(), OBJ_FONT), fontBefore);
}

}  // namespace
