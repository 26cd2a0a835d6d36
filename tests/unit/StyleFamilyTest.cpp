#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/StyleFamily.h"

namespace {

// A family that records how the toolkit calls it and marks each set it fills.
class TRecordingFamily final : public IStyledButtonAttributes {
 public:
  explicit TRecordingFamily(std::string name) : FName(std::move(name)) {}

  void FillAttributes(std::string_view family, std::string_view styleClass, std::string_view appearance,
                      TStyledButtonAttributes& normal, TStyledButtonAttributes& pressed,
                      TStyledButtonAttributes& selected, TStyledButtonAttributes& hot,
                      TStyledButtonAttributes& disabled) override {
    Family = family;
    Class = styleClass;
    Appearance = appearance;
    TStyledButtonAttributes* sets[] = {&normal, &pressed, &selected, &hot, &disabled};
    TColor mark = 1;
    for (TStyledButtonAttributes* set : sets) {
      IncomingWereFresh = IncomingWereFresh && *set == TStyledButtonAttributes{};
      set->FontColor = mark++;
    }
  }
  std::string FamilyName() const override { return FName; }
  TButtonClasses StyleClasses() const override { return {"Main", "Extra"}; }
  TButtonAppearances StyleAppearances() const override { return {"Plain", "Fancy"}; }
  void DefaultStyle(TModalResult modalResult, std::string& styleClass, std::string& appearance) const override {
    DefaultAskedFor.push_back(modalResult);
    styleClass = "Main";
    appearance = "Plain";
  }

  std::string Family, Class, Appearance;
  bool IncomingWereFresh = true;
  mutable std::vector<TModalResult> DefaultAskedFor;

 private:
  std::string FName;
};

std::shared_ptr<TRecordingFamily> Register(const std::string& name) {
  auto family = std::make_shared<TRecordingFamily>(name);
  EXPECT_TRUE(RegisterStyleFamily(family));
  return family;
}

TEST(StyleFamilyRegistry, FindsAFamilyIgnoringAsciiCaseOnly) {
  const auto kelvin = Register("Kelvin");
  const auto umlaut = Register("\xC3\x84rger");  // "Ärger"

  for (const char* name : {"Kelvin", "KELVIN", "kelvin", "kElViN"}) {
    const TButtonFamily* found = FindStyleFamily(name);
    ASSERT_NE(found, nullptr) << name;
    EXPECT_EQ(found->Family, kelvin) << name;
    EXPECT_EQ(found->Name, "Kelvin") << name;
  }
  EXPECT_NE(FindStyleFamily("\xC3\x84RGER"), nullptr);
  // No folding beyond ASCII: "ä" is not "Ä", and the Kelvin sign is not "K".
  EXPECT_EQ(FindStyleFamily("\xC3\xA4rger"), nullptr);
  EXPECT_EQ(FindStyleFamily("\xE2\x84\xAA"
                            "elvin"),
            nullptr);
  EXPECT_EQ(FindStyleFamily("Kelvi"), nullptr);
  EXPECT_EQ(FindStyleFamily("Kelvins"), nullptr);
}

TEST(StyleFamilyRegistry, RefusesNullAndNamelessFamiliesAndLetsALaterOneReplace) {
  EXPECT_FALSE(RegisterStyleFamily(nullptr));
  EXPECT_FALSE(RegisterStyleFamily(std::make_shared<TRecordingFamily>("")));

  const auto first = Register("Twice");
  const auto second = Register("TWICE");
  const TButtonFamily* found = FindStyleFamily("twice");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->Family, second);
  EXPECT_EQ(found->Name, "TWICE");
}

TEST(BuildButtonStyles, UnknownFamilyGivesNothing) {
  EXPECT_FALSE(BuildButtonStyles("NoSuchFamily", "Main", "Plain"));
}

TEST(BuildButtonStyles, MatchesNamesIgnoringCaseAndFallsBackThroughTheDefault) {
  struct TCase {
    const char* Class;
    const char* Appearance;
    const char* ExpectedClass;
    const char* ExpectedAppearance;
  };
  const TCase cases[] = {
      {"Extra", "Fancy", "Extra", "Fancy"},
      {"extra", "FANCY", "Extra", "Fancy"},
      {"Nope", "fancy", "Main", "Fancy"},
      {"EXTRA", "Nope", "Extra", "Plain"},
      {"", "", "Main", "Plain"},
      {"Extr", "Fancy ", "Main", "Plain"},
  };
  const auto family = Register("Recorder");
  for (const auto& c : cases) {
    family->DefaultAskedFor.clear();
    const auto styles = BuildButtonStyles("RECORDER", c.Class, c.Appearance);
    ASSERT_TRUE(styles) << c.Class << "/" << c.Appearance;
    EXPECT_EQ(family->Family, "Recorder");
    EXPECT_EQ(family->Class, c.ExpectedClass) << c.Class;
    EXPECT_EQ(family->Appearance, c.ExpectedAppearance) << c.Appearance;
    EXPECT_EQ(styles->Family, "Recorder");
    EXPECT_EQ(styles->Class, c.ExpectedClass);
    EXPECT_EQ(styles->Appearance, c.ExpectedAppearance);
    for (TModalResult asked : family->DefaultAskedFor) EXPECT_EQ(asked, mrNone);
  }
}

TEST(BuildButtonStyles, HandsFreshSetsToTheFamilyAndKeepsThemByState) {
  const auto family = Register("Marker");
  const auto styles = BuildButtonStyles("Marker", "Main", "Plain");
  ASSERT_TRUE(styles);
  EXPECT_TRUE(family->IncomingWereFresh);

  const TStyledButtonState states[] = {bsmNormal, bsmPressed, bsmSelected, bsmHot, bsmDisabled};
  TColor mark = 1;
  for (TStyledButtonState state : states) EXPECT_EQ(styles->ForState(state).FontColor, mark++) << state;
}

TEST(StyledButtonAttributes, StartAsTheToolkitDefaults) {
  const TStyledButtonAttributes set;
  EXPECT_EQ(set.Radius, 6);
  for (TRoundedCorner corner : {rcTopLeft, rcTopRight, rcBottomLeft, rcBottomRight})
    EXPECT_TRUE(set.RoundedCorners.Contains(corner));
  EXPECT_EQ(set.ButtonDrawStyle, btnSolid);
  EXPECT_EQ(set.BorderDrawStyle, brdSolid);
  EXPECT_EQ(set.DrawType, btRoundRect);
  EXPECT_EQ(set.BorderWidth, 0);
  EXPECT_EQ(set.ButtonColor, clBlack);
  EXPECT_EQ(set.BorderColor, clBlack);
  EXPECT_EQ(set.FontColor, clBlack);
  EXPECT_TRUE(set.FontStyle.Empty());
}

TEST(StyledButtonState, FollowsDisabledPressedHotNormalAndNeverSelected) {
  struct TCase {
    bool Enabled, Pressed, Hot;
    TStyledButtonState Expected;
  };
  const TCase cases[] = {
      {false, true, true, bsmDisabled}, {false, false, false, bsmDisabled}, {true, true, true, bsmPressed},
      {true, true, false, bsmPressed},  {true, false, true, bsmHot},        {true, false, false, bsmNormal},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StyledButtonStateFor(c.Enabled, c.Pressed, c.Hot), c.Expected) << c.Enabled << c.Pressed << c.Hot;
}

}  // namespace
