#include "ui/StyledToolBar.h"

TStyledToolButton::TStyledToolButton(TComponent* owner, std::u16string name, TStyledToolBar* toolBar, int controlId)
    : TStyledButton(owner, std::move(name), toolBar, {}, controlId), FToolBar(toolBar) {
  FToolBar->AddButton(this);
}

void TStyledToolButton::SetDown(bool down) {
  if (down) FToolBar->ReleaseOthers(this);
  TStyledButton::SetDown(down);
}

TStyledToolBar::TStyledToolBar(TComponent* owner, std::u16string name, TLayoutNode* parent, TRect96 bounds,
                               TToolBarStyle style)
    : TComponent(owner, std::move(name)), TLayoutNode(parent, bounds), FStyle(std::move(style)) {}

void TStyledToolBar::AddButton(TStyledToolButton* button) {
  FButtons.push_back(button);
  button->SetStyle(FStyle.StyleFamily, FStyle.StyleAppearance, FStyle.StyleRadius, btRoundRect);
  Arrange();
}

void TStyledToolBar::Arrange() {
  int left = FStyle.Indent;
  for (TStyledToolButton* button : FButtons) {
    if (!button->Visible()) continue;
    button->SetBounds({left, 0, FStyle.ButtonWidth, FStyle.ButtonHeight});
    left += FStyle.ButtonWidth;
  }
}

void TStyledToolBar::ReleaseOthers(TStyledToolButton* down) {
  for (TStyledToolButton* button : FButtons) {
    if (button != down) button->TStyledButton::SetDown(false);
  }
}
