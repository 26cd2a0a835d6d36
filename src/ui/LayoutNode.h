#pragma once

#include <windows.h>

#include <vector>

#include "ui/Geometry.h"

class TFormWindow;

// A visible part of a form: a position inside its parent part and its own visibility.
// Containers (panels, pages, the toolbar) have no window of their own; their children's
// windows are children of the form, so dialog-style keyboard navigation covers them all.
class TLayoutNode {
 public:
  TLayoutNode(TLayoutNode* parent, TRect96 bounds);
  TLayoutNode(const TLayoutNode&) = delete;
  TLayoutNode& operator=(const TLayoutNode&) = delete;
  virtual ~TLayoutNode();

  TLayoutNode* LayoutParent() const { return FParent; }
  const std::vector<TLayoutNode*>& LayoutChildren() const { return FChildren; }

  const TRect96& Bounds() const { return FBounds; }
  void SetBounds(const TRect96& bounds);
  // Top-left corner in the form's client area, at 96 DPI.
  POINT OriginInForm96() const;

  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);
  // Visible, and every container above it too.
  bool Showing() const;

  virtual TFormWindow* Form();
  // Creates the windows of this part and the parts below it, in layout order.
  virtual void CreateHandles();
  // Pushes position, size, font and visibility to the windows of this part and below.
  virtual void Realize();
  // The form's handle went away; windows below it are gone with it.
  virtual void ForgetHandles();

 private:
  TLayoutNode* FParent;
  std::vector<TLayoutNode*> FChildren;
  TRect96 FBounds;
  bool FVisible = true;
};
