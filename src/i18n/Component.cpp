#include "i18n/Component.h"

#include <algorithm>
#include <utility>

TComponent::TComponent(TComponent* owner, std::u16string name) : FName(std::move(name)), FOwner(owner) {
  if (FOwner != nullptr) FOwner->FComponents.push_back(this);
}

TComponent::~TComponent() {
  if (FOwner != nullptr) std::erase(FOwner->FComponents, this);
  // Owned components outliving their owner must not reach back into it.
  for (TComponent* owned : FComponents) owned->FOwner = nullptr;
}
