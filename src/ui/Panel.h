#pragma once

#include "i18n/Component.h"
#include "ui/LayoutNode.h"

// A container part: it places and shows or hides the parts inside it and draws nothing
// of its own (every panel of the window is as white as the window).
class TPanel : public TComponent, public TLayoutNode {
 public:
  TPanel(TComponent* owner, std::u16string name, TLayoutNode* parent, TRect96 bounds)
      : TComponent(owner, std::move(name)), TLayoutNode(parent, bounds) {}
};

// A page of a card panel.
class TCard : public TPanel {
 public:
  using TPanel::TPanel;
};

// Shows exactly one of its pages at a time.
class TCardPanel : public TPanel {
 public:
  using TPanel::TPanel;

  int ActiveCardIndex() const { return FActive; }
  void SetActiveCard(int index);
  void AddCard(TCard* card);

 private:
  std::vector<TCard*> FCards;
  int FActive = -1;
};
