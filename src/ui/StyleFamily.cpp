#include "ui/StyleFamily.h"

#include <algorithm>
#include <utility>

#include "i18n/AsciiText.h"

namespace {

// Families live for the process; construct-on-first-use keeps registration at start-up safe.
std::vector<TButtonFamily>& Families() {
  static std::vector<TButtonFamily> families;
  return families;
}

// The listed spelling of name, or the fallback when the list lacks it.
std::string MatchListed(const std::vector<std::string>& listed, std::string_view name, std::string fallback) {
  const auto found =
      std::ranges::find_if(listed, [name](const std::string& entry) { return SameTextAscii(entry, name); });
  return found != listed.end() ? *found : std::move(fallback);
}

}  // namespace

bool RegisterStyleFamily(std::shared_ptr<IStyledButtonAttributes> family) {
  if (!family) return false;
  std::string name = family->FamilyName();
  if (name.empty()) return false;
  auto& families = Families();
  const auto existing =
      std::ranges::find_if(families, [&name](const TButtonFamily& entry) { return SameTextAscii(entry.Name, name); });
  if (existing != families.end()) {
    *existing = TButtonFamily{std::move(name), std::move(family)};
  } else {
    families.push_back(TButtonFamily{std::move(name), std::move(family)});
  }
  return true;
}

const TButtonFamily* FindStyleFamily(std::string_view name) {
  const auto& families = Families();
  const auto found =
      std::ranges::find_if(families, [name](const TButtonFamily& entry) { return SameTextAscii(entry.Name, name); });
  return found != families.end() ? &*found : nullptr;
}

const TStyledButtonAttributes& TButtonStyleSet::ForState(TStyledButtonState state) const {
  switch (state) {
    case bsmPressed:
      return Pressed;
    case bsmSelected:
      return Selected;
    case bsmHot:
      return Hot;
    case bsmDisabled:
      return Disabled;
    case bsmNormal:
      break;
  }
  return Normal;
}

std::optional<TButtonStyleSet> BuildButtonStyles(std::string_view family, std::string_view styleClass,
                                                 std::string_view appearance) {
  const TButtonFamily* entry = FindStyleFamily(family);
  if (!entry) return std::nullopt;
  // Held here: a family may register another one while it fills, which moves the entries.
  const std::shared_ptr<IStyledButtonAttributes> styles = entry->Family;
  TButtonStyleSet result;
  result.Family = entry->Name;

  std::string defaultClass;
  std::string defaultAppearance;
  styles->DefaultStyle(mrNone, defaultClass, defaultAppearance);
  result.Class = MatchListed(styles->StyleClasses(), styleClass, std::move(defaultClass));
  result.Appearance = MatchListed(styles->StyleAppearances(), appearance, std::move(defaultAppearance));
  styles->FillAttributes(result.Family, result.Class, result.Appearance, result.Normal, result.Pressed, result.Selected,
                         result.Hot, result.Disabled);
  return result;
}
