#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "i18n/ComponentKinds.h"

// A menu entry. Entries are components of the window (so the window walk sees them) and
// sub-items of their menu; a caption of "-" is a separator.
class TMenuEntry : public TMenuItem {
 public:
  TMenuEntry(TComponent* owner, std::u16string name, std::u16string caption)
      : TMenuItem(owner, std::move(name)), FCaption(std::move(caption)) {}

  std::u16string Caption() const override { return FCaption; }
  void SetCaption(std::u16string_view caption) override { FCaption = caption; }
  int Count() const override { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) override { return FItems.at(static_cast<std::size_t>(index)); }

  void Add(TMenuEntry* item) { FItems.push_back(item); }
  bool IsSeparator() const { return FCaption == u"-"; }
  TMenuEntry* Entry(int index) { return FItems.at(static_cast<std::size_t>(index)); }

  std::function<void(TMenuEntry&)> OnClick;

 private:
  std::u16string FCaption;
  std::vector<TMenuEntry*> FItems;
};

// A popup menu built afresh each time it opens, from its entries.
class TPopup : public TPopupMenu {
 public:
  TPopup(TComponent* owner, std::u16string name) : TPopupMenu(owner, std::move(name)), FRoot(nullptr, u"", u"") {}

  TMenuItem* Items() override { return &FRoot; }
  void Add(TMenuEntry* item) { FRoot.Add(item); }

  // Shows the menu at a screen point for the given window and runs the chosen entry's click.
  void PopupAt(HWND owner, POINT screenPoint);

 private:
  TMenuEntry FRoot;
};
