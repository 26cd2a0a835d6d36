#pragma once

#include <optional>
#include <string>
#include <vector>

#include "i18n/Component.h"
#include "ui/LayoutNode.h"
#include "ui/StyledButton.h"

class TStyledToolBar;

// A button of a styled toolbar. The toolbar's buttons form one exclusive group: putting
// one down releases the one that was down.
class TStyledToolButton : public TStyledButton {
 public:
  TStyledToolButton(TComponent* owner, std::u16string name, TStyledToolBar* toolBar, int controlId);
  void SetDown(bool down) override;

 private:
  TStyledToolBar* FToolBar;
};

// Lays its buttons out in a row from its indent; hidden buttons take no room. The
// buttons draw with the toolbar's style.
class TStyledToolBar : public TComponent, public TLayoutNode {
 public:
  struct TToolBarStyle {
    int ButtonWidth;
    int ButtonHeight;
    int Indent;
    std::string StyleFamily;
    std::string StyleAppearance;
    std::optional<int> StyleRadius;
  };

  TStyledToolBar(TComponent* owner, std::u16string name, TLayoutNode* parent, TRect96 bounds, TToolBarStyle style);

  void AddButton(TStyledToolButton* button);
  void Arrange();
  void ReleaseOthers(TStyledToolButton* down);

 private:
  TToolBarStyle FStyle;
  std::vector<TStyledToolButton*> FButtons;
};
