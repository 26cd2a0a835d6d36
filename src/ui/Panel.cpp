#include "ui/Panel.h"

void TCardPanel::AddCard(TCard* card) {
  FCards.push_back(card);
  card->SetVisible(static_cast<int>(FCards.size()) - 1 == FActive);
}

void TCardPanel::SetActiveCard(int index) {
  if (index < 0 || index >= static_cast<int>(FCards.size())) return;
  FActive = index;
  // Hide first, so that the two pages never show at once.
  for (int i = 0; i < static_cast<int>(FCards.size()); ++i) {
    if (i != index) FCards[i]->SetVisible(false);
  }
  FCards[index]->SetVisible(true);
}
