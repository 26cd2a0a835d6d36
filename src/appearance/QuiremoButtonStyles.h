#pragma once

#include <string>
#include <string_view>

#include "ui/StyleFamily.h"

// The product's own button look, "Quiremo": one class, three appearances, every colour made
// from the accent blue, white, black and their greys. It keeps no state; the same appearance
// always gives the same sets.
class TQuiremoButtonStyles final : public IStyledButtonAttributes {
 public:
  void FillAttributes(std::string_view family, std::string_view styleClass, std::string_view appearance,
                      TStyledButtonAttributes& normal, TStyledButtonAttributes& pressed,
                      TStyledButtonAttributes& selected, TStyledButtonAttributes& hot,
                      TStyledButtonAttributes& disabled) override;
  std::string FamilyName() const override;
  TButtonClasses StyleClasses() const override;
  TButtonAppearances StyleAppearances() const override;
  void DefaultStyle(TModalResult modalResult, std::string& styleClass, std::string& appearance) const override;
};

// Registers the family with the toolkit. Called once at start-up, before any window exists.
void RegisterQuiremoButtonStyles();
