#include "ui/LayoutNode.h"

#include <algorithm>

TLayoutNode::TLayoutNode(TLayoutNode* parent, TRect96 bounds) : FParent(parent), FBounds(bounds) {
  if (FParent != nullptr) FParent->FChildren.push_back(this);
}

TLayoutNode::~TLayoutNode() {
  if (FParent != nullptr) std::erase(FParent->FChildren, this);
  for (TLayoutNode* child : FChildren) child->FParent = nullptr;
}

void TLayoutNode::SetBounds(const TRect96& bounds) {
  FBounds = bounds;
  Realize();
}

POINT TLayoutNode::OriginInForm96() const {
  if (FParent == nullptr) return {0, 0};
  POINT origin = FParent->OriginInForm96();
  origin.x += FBounds.Left;
  origin.y += FBounds.Top;
  return origin;
}

void TLayoutNode::SetVisible(bool visible) {
  if (FVisible == visible) return;
  FVisible = visible;
  Realize();
}

bool TLayoutNode::Showing() const {
  return FVisible && (FParent == nullptr || FParent->Showing());
}

TFormWindow* TLayoutNode::Form() {
  return FParent != nullptr ? FParent->Form() : nullptr;
}

void TLayoutNode::CreateHandles() {
  for (TLayoutNode* child : FChildren) child->CreateHandles();
}

void TLayoutNode::Realize() {
  for (TLayoutNode* child : FChildren) child->Realize();
}

void TLayoutNode::ForgetHandles() {
  for (TLayoutNode* child : FChildren) child->ForgetHandles();
}
