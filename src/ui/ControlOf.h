#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "i18n/Component.h"
#include "ui/WindowedControl.h"

// Joins a component kind (what the translation walk sees: a name, an owner, a caption)
// with a window of the form. TKind is TComponent or one of the component kinds.
template <typename TKind>
class TControlOf : public TKind, public TWindowedControl {
 public:
  TControlOf(TComponent* owner, std::u16string name, TLayoutNode* parent, TRect96 bounds, int controlId)
      : TKind(owner, std::move(name)), TWindowedControl(parent, bounds, controlId) {}

  bool HasCaption() const override { return true; }
  std::u16string Caption() const override { return WindowCaption(); }
  void SetCaption(std::u16string_view caption) override { SetWindowCaption(caption); }
};
