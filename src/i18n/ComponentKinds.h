#pragma once

#include <string>
#include <string_view>

#include "i18n/Component.h"

// The kinds of component whose texts are more than one caption. The window walk tests for
// these kinds; a control of the window derives from the kind it is and adapts its calls.

// A list of texts changed in place, such as the items of a drop-down list.
class TStrings {
 public:
  virtual ~TStrings() = default;
  virtual int Count() const = 0;
  virtual std::u16string Get(int index) const = 0;
  virtual void Put(int index, std::u16string_view text) = 0;
  // Brackets a run of changes so that the control repaints once.
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}
};

// Items with one of them selected (-1 for none).
class TItemListControl : public TComponent {
 public:
  using TComponent::TComponent;
  virtual TStrings* Items() = 0;
  virtual int ItemIndex() const = 0;
  virtual void SetItemIndex(int index) = 0;
};

class TComboBox : public TItemListControl {
 public:
  using TItemListControl::TItemListControl;
};

// Its own caption is a heading that keeps its text; only the items are translated.
class TRadioGroup : public TItemListControl {
 public:
  using TItemListControl::TItemListControl;
};

class TListView : public TComponent {
 public:
  using TComponent::TComponent;
  virtual int ColumnCount() const = 0;
  virtual std::u16string ColumnCaption(int index) const = 0;
  virtual void SetColumnCaption(int index, std::u16string_view caption) = 0;
  virtual int ItemIndex() const = 0;
  virtual void SetItemIndex(int index) = 0;
};

// One item of a menu and the sub-items below it. Menu items are components of the
// window too, so they are visited once through their menu and again by the walk.
class TMenuItem : public TComponent {
 public:
  using TComponent::TComponent;
  bool HasCaption() const override { return true; }
  std::u16string Caption() const override = 0;
  void SetCaption(std::u16string_view caption) override = 0;
  virtual int Count() const = 0;
  virtual TMenuItem* Items(int index) = 0;
};

class TPopupMenu : public TComponent {
 public:
  using TComponent::TComponent;
  // The invisible root item; the menu's entries are its sub-items.
  virtual TMenuItem* Items() = 0;
};

// A top-level window; its caption is the application title.
class TForm : public TComponent {
 public:
  using TComponent::TComponent;
  bool HasCaption() const override { return true; }
  std::u16string Caption() const override = 0;
  void SetCaption(std::u16string_view caption) override = 0;
};
