#include "appearance/QuiremoButtonStyles.h"

#include <memory>

#include "appearance/AccentBlue.h"
#include "i18n/AsciiText.h"

namespace {

const TButtonClasses& ClassList() {
  static const TButtonClasses classes{"Primary"};
  return classes;
}

const TButtonAppearances& AppearanceList() {
  static const TButtonAppearances appearances{"Normal", "Header", "Outline"};
  return appearances;
}

TColor AccentLightened10() {
  return Lighten(AccentBlue, 10);
}

void FillOutline(TStyledButtonAttributes& pressed, TStyledButtonAttributes& selected, TStyledButtonAttributes& hot,
                 TStyledButtonAttributes& disabled) {
  pressed.ButtonDrawStyle = btnSolid;
  pressed.FontColor = clWhite;
  hot.ButtonDrawStyle = btnSolid;
  hot.ButtonColor = AccentLightened10();
  hot.FontColor = clWhite;
  selected = hot;
  disabled.BorderColor = ToGray(Lighten(AccentBlue, 70));
  disabled.FontColor = ToGray(Lighten(clBlack, 70));
}

void FillHeader(TStyledButtonAttributes& pressed, TStyledButtonAttributes& selected, TStyledButtonAttributes& hot,
                TStyledButtonAttributes& disabled) {
  pressed.ButtonDrawStyle = btnSolid;
  pressed.BorderDrawStyle = brdClear;
  pressed.ButtonColor = AccentBlue;
  pressed.BorderColor = AccentBlue;
  pressed.FontColor = clWhite;
  hot = pressed;
  selected.ButtonDrawStyle = btnSolid;
  selected.BorderDrawStyle = brdClear;
  selected.ButtonColor = AccentLightened10();
  selected.BorderColor = AccentBlue;
  selected.FontColor = clWhite;
  disabled.BorderColor = ToGray(Lighten(AccentBlue, 50));
  disabled.FontColor = ToGray(Lighten(clBlack, 50));
}

void FillNormal(TStyledButtonAttributes& hot, TStyledButtonAttributes& disabled) {
  hot.ButtonColor = AccentLightened10();
  disabled.ButtonColor = clWhite;
  disabled.BorderColor = clSilver;
  disabled.FontColor = clSilver;
  disabled.BorderWidth = 0;
}

}  // namespace

void TQuiremoButtonStyles::FillAttributes(std::string_view, std::string_view, std::string_view appearance,
                                          TStyledButtonAttributes& normal, TStyledButtonAttributes& pressed,
                                          TStyledButtonAttributes& selected, TStyledButtonAttributes& hot,
                                          TStyledButtonAttributes& disabled) {
  const bool isHeader = SameTextAscii(appearance, "Header");
  const bool isOutline = SameTextAscii(appearance, "Outline");

  normal.BorderDrawStyle = brdSolid;
  normal.BorderWidth = 0;
  normal.FontStyle = TFontStyles{};
  normal.DrawType = btRoundRect;
  if (isOutline) {
    normal.ButtonDrawStyle = btnClear;
    normal.ButtonColor = AccentBlue;
    normal.BorderColor = AccentBlue;
    normal.FontColor = clBlack;
  } else if (isHeader) {
    normal.ButtonDrawStyle = btnClear;
    normal.ButtonColor = clWhite;
    normal.BorderColor = clBlack;
    normal.FontColor = clBlack;
  } else {
    normal.ButtonDrawStyle = btnSolid;
    normal.ButtonColor = AccentBlue;
    normal.BorderColor = AccentBlue;
    normal.FontColor = clWhite;
  }

  pressed = normal;
  selected = normal;
  hot = normal;
  disabled = normal;

  if (isOutline) {
    FillOutline(pressed, selected, hot, disabled);
  } else if (isHeader) {
    FillHeader(pressed, selected, hot, disabled);
  } else {
    FillNormal(hot, disabled);
  }
}

std::string TQuiremoButtonStyles::FamilyName() const {
  return "Quiremo";
}

TButtonClasses TQuiremoButtonStyles::StyleClasses() const {
  return ClassList();
}

TButtonAppearances TQuiremoButtonStyles::StyleAppearances() const {
  return AppearanceList();
}

void TQuiremoButtonStyles::DefaultStyle(TModalResult, std::string& styleClass, std::string& appearance) const {
  styleClass = "Primary";
  appearance = "Normal";
}

void RegisterQuiremoButtonStyles() {
  RegisterStyleFamily(std::make_shared<TQuiremoButtonStyles>());
}
