#include "i18n/TranslateComponent.h"

#include "i18n/Translation.h"

namespace {

// Keeps BeginUpdate and EndUpdate paired even if a translation throws.
class TUpdateBracket {
 public:
  explicit TUpdateBracket(TStrings& list) : FList(list) { FList.BeginUpdate(); }
  TUpdateBracket(const TUpdateBracket&) = delete;
  TUpdateBracket& operator=(const TUpdateBracket&) = delete;
  ~TUpdateBracket() { FList.EndUpdate(); }

 private:
  TStrings& FList;
};

void TranslateItemList(TItemListControl& control) {
  const int selected = control.ItemIndex();
  if (TStrings* items = control.Items()) {
    const TUpdateBracket bracket(*items);
    TranslateStrings(items);
  }
  control.SetItemIndex(selected);
}

void TranslateColumns(TListView& listView) {
  const int selected = listView.ItemIndex();
  for (int column = 0; column < listView.ColumnCount(); ++column) {
    listView.SetColumnCaption(column, TranslateText(listView.ColumnCaption(column)));
  }
  listView.SetItemIndex(selected);
}

}  // namespace

void TranslateComponent(TComponent* root, std::u16string_view language) {
  if (!language.empty()) SetCurrentLanguage(language);
  if (root == nullptr) return;

  // Combo boxes and radio groups have nothing else to translate, nor owned components.
  if (auto* itemList = dynamic_cast<TItemListControl*>(root)) {
    TranslateItemList(*itemList);
    return;
  }
  if (auto* listView = dynamic_cast<TListView*>(root)) TranslateColumns(*listView);
  if (auto* popupMenu = dynamic_cast<TPopupMenu*>(root)) TranslateMenuItem(popupMenu->Items());
  if (root->HasCaption()) {
    const bool titleInEnglish = dynamic_cast<TForm*>(root) != nullptr && CurrentLanguage() != u"ko";
    root->SetCaption(TranslateText(root->Caption(), titleInEnglish ? u"en" : u""));
  }
  for (std::size_t i = 0; i < root->ComponentCount(); ++i) TranslateComponent(&root->Components(i), language);
}

void TranslateStrings(TStrings* list) {
  if (list == nullptr) return;
  const int count = list->Count();
  for (int i = 0; i < count; ++i) list->Put(i, TranslateText(list->Get(i)));
}

void TranslateMenuItem(TMenuItem* item) {
  if (item == nullptr) return;
  item->SetCaption(TranslateText(item->Caption()));
  const int count = item->Count();
  for (int i = 0; i < count; ++i) TranslateMenuItem(item->Items(i));
}
