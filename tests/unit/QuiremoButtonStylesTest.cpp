#include <gtest/gtest.h>

#include <string>

#include "appearance/QuiremoButtonStyles.h"

namespace {

struct TStateRow {
  const char* Appearance;
  TStyledButtonState State;
  TButtonDrawStyle Fill;
  TColor FillColor;
  TBorderDrawStyle Border;
  TColor BorderColor;
  TColor CaptionColor;
};

// Colours are written as #RRGGBB, the way a designer reads them.
constexpr TColor Hex(std::uint32_t rrggbb) {
  return RGBColor(static_cast<std::uint8_t>(rrggbb >> 16), static_cast<std::uint8_t>(rrggbb >> 8),
                  static_cast<std::uint8_t>(rrggbb));
}

const TStateRow StateRows[] = {
    {"Normal", bsmNormal, btnSolid, Hex(0x3D84DD), brdSolid, Hex(0x3D84DD), Hex(0xFFFFFF)},
    {"Normal", bsmPressed, btnSolid, Hex(0x3D84DD), brdSolid, Hex(0x3D84DD), Hex(0xFFFFFF)},
    {"Normal", bsmSelected, btnSolid, Hex(0x3D84DD), brdSolid, Hex(0x3D84DD), Hex(0xFFFFFF)},
    {"Normal", bsmHot, btnSolid, Hex(0x5090E0), brdSolid, Hex(0x3D84DD), Hex(0xFFFFFF)},
    {"Normal", bsmDisabled, btnSolid, Hex(0xFFFFFF), brdSolid, Hex(0xC0C0C0), Hex(0xC0C0C0)},
    {"Header", bsmNormal, btnClear, Hex(0xFFFFFF), brdSolid, Hex(0x000000), Hex(0x000000)},
    {"Header", bsmPressed, btnSolid, Hex(0x3D84DD), brdClear, Hex(0x3D84DD), Hex(0xFFFFFF)},
    {"Header", bsmSelected, btnSolid, Hex(0x5090E0), brdClear, Hex(0x3D84DD), Hex(0xFFFFFF)},
    {"Header", bsmHot, btnSolid, Hex(0x3D84DD), brdClear, Hex(0x3D84DD), Hex(0xFFFFFF)},
    {"Header", bsmDisabled, btnClear, Hex(0xFFFFFF), brdSolid, Hex(0xBCBCBC), Hex(0x808080)},
    {"Outline", bsmNormal, btnClear, Hex(0x3D84DD), brdSolid, Hex(0x3D84DD), Hex(0x000000)},
    {"Outline", bsmPressed, btnSolid, Hex(0x3D84DD), brdSolid, Hex(0x3D84DD), Hex(0xFFFFFF)},
    {"Outline", bsmSelected, btnSolid, Hex(0x5090E0), brdSolid, Hex(0x3D84DD), Hex(0xFFFFFF)},
    {"Outline", bsmHot, btnSolid, Hex(0x5090E0), brdSolid, Hex(0x3D84DD), Hex(0xFFFFFF)},
    {"Outline", bsmDisabled, btnClear, Hex(0x3D84DD), brdSolid, Hex(0xD7D7D7), Hex(0xB3B3B3)},
};

TButtonStyleSet Fill(std::string_view appearance, std::string_view styleClass = "Primary") {
  TQuiremoButtonStyles styles;
  TButtonStyleSet set;
  styles.FillAttributes("Quiremo", styleClass, appearance, set.Normal, set.Pressed, set.Selected, set.Hot,
                        set.Disabled);
  return set;
}

bool SameSets(const TButtonStyleSet& a, const TButtonStyleSet& b) {
  return a.Normal == b.Normal && a.Pressed == b.Pressed && a.Selected == b.Selected && a.Hot == b.Hot &&
         a.Disabled == b.Disabled;
}

class QuiremoFamily : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterQuiremoButtonStyles(); }
};

TEST_F(QuiremoFamily, GivesEachAppearanceItsColoursStateByState) {
  for (const auto& row : StateRows) {
    const auto styles = BuildButtonStyles("Quiremo", "Primary", row.Appearance);
    ASSERT_TRUE(styles);
    const TStyledButtonAttributes& set = styles->ForState(row.State);
    SCOPED_TRACE(std::string(row.Appearance) + " state " + std::to_string(row.State));
    EXPECT_EQ(set.ButtonDrawStyle, row.Fill);
    EXPECT_EQ(set.ButtonColor, row.FillColor);
    EXPECT_EQ(set.BorderDrawStyle, row.Border);
    EXPECT_EQ(set.BorderColor, row.BorderColor);
    EXPECT_EQ(set.FontColor, row.CaptionColor);
    EXPECT_EQ(set.BorderWidth, 0);
    EXPECT_EQ(set.DrawType, btRoundRect);
    EXPECT_TRUE(set.FontStyle.Empty());
    EXPECT_EQ(set.Radius, 6);
    EXPECT_EQ(set.RoundedCorners, AllRoundedCorners);
  }
}

TEST_F(QuiremoFamily, MatchesAppearanceIgnoringAsciiCaseAndGivesNormalForAnythingElse) {
  struct TCase {
    const char* Given;
    const char* SameAs;
  };
  const TCase cases[] = {
      {"outline", "Outline"}, {"OUTLINE", "Outline"}, {"hEaDeR", "Header"},         {"Fancy", "Normal"},
      {"", "Normal"},         {"Outline ", "Normal"}, {"Outl\xC4\xB1ne", "Normal"},  // dotless i is not "i"
  };
  for (const auto& c : cases) EXPECT_TRUE(SameSets(Fill(c.Given), Fill(c.SameAs))) << c.Given;
  EXPECT_FALSE(SameSets(Fill("Outline"), Fill("Normal")));
  EXPECT_FALSE(SameSets(Fill("Header"), Fill("Normal")));
}

TEST_F(QuiremoFamily, IgnoresTheClass) {
  for (const char* appearance : {"Normal", "Header", "Outline"})
    EXPECT_TRUE(SameSets(Fill(appearance, "Primary"), Fill(appearance, "Secondary"))) << appearance;
}

TEST_F(QuiremoFamily, ToolkitFallsBackToPrimaryAndNormalForUnlistedNames) {
  struct TCase {
    const char* Class;
    const char* Appearance;
    const char* ExpectedAppearance;
  };
  const TCase cases[] = {
      {"primary", "outline", "Outline"},
      {"Secondary", "HEADER", "Header"},
      {"Primary", "Shiny", "Normal"},
      {"Nope", "Nope", "Normal"},
  };
  for (const auto& c : cases) {
    const auto styles = BuildButtonStyles("quiremo", c.Class, c.Appearance);
    ASSERT_TRUE(styles) << c.Class << "/" << c.Appearance;
    EXPECT_EQ(styles->Family, "Quiremo");
    EXPECT_EQ(styles->Class, "Primary");
    EXPECT_EQ(styles->Appearance, c.ExpectedAppearance);
    EXPECT_TRUE(SameSets(*styles, Fill(c.ExpectedAppearance))) << c.Class << "/" << c.Appearance;
  }
}

TEST_F(QuiremoFamily, KeepsTheRadiusAndCornersAControlHandsIn) {
  TQuiremoButtonStyles styles;
  TButtonStyleSet set;
  set.Normal.Radius = 4;
  set.Normal.RoundedCorners = TRoundedCorners{rcTopLeft};
  set.Pressed.DrawType = btEllipse;  // overwritten: every state starts as a copy of Normal
  styles.FillAttributes("Quiremo", "Primary", "Header", set.Normal, set.Pressed, set.Selected, set.Hot, set.Disabled);
  for (TStyledButtonState state : {bsmNormal, bsmPressed, bsmSelected, bsmHot, bsmDisabled}) {
    EXPECT_EQ(set.ForState(state).Radius, 4) << state;
    EXPECT_EQ(set.ForState(state).RoundedCorners, TRoundedCorners{rcTopLeft}) << state;
    EXPECT_EQ(set.ForState(state).DrawType, btRoundRect) << state;
  }
}

TEST_F(QuiremoFamily, NamesItsClassAndAppearancesAndDefaultsToPrimaryNormal) {
  TQuiremoButtonStyles styles;
  EXPECT_EQ(styles.FamilyName(), "Quiremo");
  EXPECT_EQ(styles.StyleClasses(), (TButtonClasses{"Primary"}));
  EXPECT_EQ(styles.StyleAppearances(), (TButtonAppearances{"Normal", "Header", "Outline"}));

  for (int result = mrNone; result <= mrYesToAll; ++result) {
    std::string styleClass = "Other";
    std::string appearance = "Outline";
    styles.DefaultStyle(static_cast<TModalResult>(result), styleClass, appearance);
    EXPECT_EQ(styleClass, "Primary") << result;
    EXPECT_EQ(appearance, "Normal") << result;
  }
}

TEST_F(QuiremoFamily, IsRegisteredUnderItsName) {
  const TButtonFamily* family = FindStyleFamily("QUIREMO");
  ASSERT_NE(family, nullptr);
  EXPECT_EQ(family->Name, "Quiremo");
  EXPECT_EQ(family->Family->FamilyName(), "Quiremo");
}

}  // namespace
