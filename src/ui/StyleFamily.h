#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/StyledButtonAttributes.h"

// Dialog results; the values are those of the IDOK..IDCONTINUE family of Windows.
enum TModalResult {
  mrNone,
  mrOk,
  mrCancel,
  mrAbort,
  mrRetry,
  mrIgnore,
  mrYes,
  mrNo,
  mrClose,
  mrHelp,
  mrTryAgain,
  mrContinue,
  mrAll,
  mrNoToAll,
  mrYesToAll
};

using TButtonClasses = std::vector<std::string>;
using TButtonAppearances = std::vector<std::string>;

// A named family of button styles plugged into the toolkit. It fills the five per-state
// attribute sets of a control from the control's class and appearance. Called on the
// user-interface thread only.
class IStyledButtonAttributes {
 public:
  virtual ~IStyledButtonAttributes() = default;

  // The five sets are in the order of TStyledButtonState and come in as the toolkit made them.
  virtual void FillAttributes(std::string_view family, std::string_view styleClass, std::string_view appearance,
                              TStyledButtonAttributes& normal, TStyledButtonAttributes& pressed,
                              TStyledButtonAttributes& selected, TStyledButtonAttributes& hot,
                              TStyledButtonAttributes& disabled) = 0;
  virtual std::string FamilyName() const = 0;
  virtual TButtonClasses StyleClasses() const = 0;
  virtual TButtonAppearances StyleAppearances() const = 0;
  // The class and appearance to use for a dialog result, or for a name the family lacks.
  virtual void DefaultStyle(TModalResult modalResult, std::string& styleClass, std::string& appearance) const = 0;
};

struct TButtonFamily {
  std::string Name;
  std::shared_ptr<IStyledButtonAttributes> Family;
};

// Keeps the family for the rest of the process under the name it gives now. A later family
// of the same name (ignoring ASCII case) takes the place of the earlier one. A null family or
// an empty name is refused (false).
bool RegisterStyleFamily(std::shared_ptr<IStyledButtonAttributes> family);

// The registered family of that name, ignoring ASCII case; null when there is none.
const TButtonFamily* FindStyleFamily(std::string_view name);

// The five attribute sets of a control, and the names they were made from.
struct TButtonStyleSet {
  std::string Family;
  std::string Class;
  std::string Appearance;
  TStyledButtonAttributes Normal;
  TStyledButtonAttributes Pressed;
  TStyledButtonAttributes Selected;
  TStyledButtonAttributes Hot;
  TStyledButtonAttributes Disabled;

  const TStyledButtonAttributes& ForState(TStyledButtonState state) const;
};

// Fills a control's sets from a family: class and appearance are matched against the family's
// lists ignoring ASCII case (and take the listed spelling); a name not in its list is replaced
// by the family's default for no dialog result. Empty when no family has that name, so the
// control keeps the sets it has.
std::optional<TButtonStyleSet> BuildButtonStyles(std::string_view family, std::string_view styleClass,
                                                 std::string_view appearance);
