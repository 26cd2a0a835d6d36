#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ShippedTable.h"
#include "i18n/TranslateComponent.h"
#include "i18n/Translation.h"

namespace {

// Small stand-ins for the window's controls. Like a real list control, changing an item
// drops the selection, so the walk must put it back.

class TLabel : public TComponent {
 public:
  TLabel(TComponent* owner, std::u16string name, std::u16string caption)
      : TComponent(owner, std::move(name)), FCaption(std::move(caption)) {}
  bool HasCaption() const override { return true; }
  std::u16string Caption() const override { return FCaption; }
  void SetCaption(std::u16string_view caption) override { FCaption = caption; }

 private:
  std::u16string FCaption;
};

class TPanel : public TComponent {
 public:
  using TComponent::TComponent;
};

class TFakeForm : public TForm {
 public:
  explicit TFakeForm(std::u16string caption) : TForm(nullptr, u"FrmOrvanta"), FCaption(std::move(caption)) {}
  std::u16string Caption() const override { return FCaption; }
  void SetCaption(std::u16string_view caption) override { FCaption = caption; }

 private:
  std::u16string FCaption;
};

class TListStrings : public TStrings {
 public:
  TListStrings(std::vector<std::u16string> items, int& selection, std::vector<std::string>& log)
      : FItems(std::move(items)), FSelection(selection), FLog(log) {}
  int Count() const override { return static_cast<int>(FItems.size()); }
  std::u16string Get(int index) const override { return FItems.at(static_cast<std::size_t>(index)); }
  void Put(int index, std::u16string_view text) override {
    FItems.at(static_cast<std::size_t>(index)) = text;
    FSelection = -1;
    FLog.push_back(FUpdating ? "put" : "put outside update");
  }
  void BeginUpdate() override {
    FUpdating = true;
    FLog.push_back("begin");
  }
  void EndUpdate() override {
    FUpdating = false;
    FLog.push_back("end");
  }
  const std::vector<std::u16string>& Items() const { return FItems; }

 private:
  std::vector<std::u16string> FItems;
  int& FSelection;
  std::vector<std::string>& FLog;
  bool FUpdating = false;
};

template <typename TKind>
class TFakeItemList : public TKind {
 public:
  TFakeItemList(TComponent* owner, std::u16string name, std::vector<std::u16string> items, int selected)
      : TKind(owner, std::move(name)), FSelected(selected), FStrings(std::move(items), FSelected, Log) {}
  TStrings* Items() override { return &FStrings; }
  int ItemIndex() const override { return FSelected; }
  void SetItemIndex(int index) override { FSelected = index; }
  const std::vector<std::u16string>& Texts() const { return FStrings.Items(); }
  std::vector<std::string> Log;

 private:
  int FSelected;
  TListStrings FStrings;
};
using TFakeComboBox = TFakeItemList<TComboBox>;

class TFakeRadioGroup : public TFakeItemList<TRadioGroup> {
 public:
  using TFakeItemList::TFakeItemList;
  bool HasCaption() const override { return true; }
  std::u16string Caption() const override { return u"메모리 관리"; }
  void SetCaption(std::u16string_view caption) override { CaptionWrites.emplace_back(caption); }
  std::vector<std::u16string> CaptionWrites;
};

class TFakeListView : public TListView {
 public:
  TFakeListView(TComponent* owner, std::vector<std::u16string> columns, int selected)
      : TListView(owner, u"LvwInfo"), Columns(std::move(columns)), FSelected(selected) {}
  int ColumnCount() const override { return static_cast<int>(Columns.size()); }
  std::u16string ColumnCaption(int index) const override { return Columns.at(static_cast<std::size_t>(index)); }
  void SetColumnCaption(int index, std::u16string_view caption) override {
    Columns.at(static_cast<std::size_t>(index)) = caption;
    FSelected = -1;
  }
  int ItemIndex() const override { return FSelected; }
  void SetItemIndex(int index) override { FSelected = index; }
  std::vector<std::u16string> Columns;

 private:
  int FSelected;
};

class TFakeMenuItem : public TMenuItem {
 public:
  TFakeMenuItem(TComponent* owner, std::u16string name, std::u16string caption)
      : TMenuItem(owner, std::move(name)), FCaption(std::move(caption)) {}
  std::u16string Caption() const override { return FCaption; }
  void SetCaption(std::u16string_view caption) override {
    FCaption = caption;
    CaptionWrites.emplace_back(caption);
  }
  int Count() const override { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) override { return FItems.at(static_cast<std::size_t>(index)); }
  void Add(TMenuItem& item) { FItems.push_back(&item); }
  std::vector<std::u16string> CaptionWrites;

 private:
  std::u16string FCaption;
  std::vector<TMenuItem*> FItems;
};

class TFakePopupMenu : public TPopupMenu {
 public:
  explicit TFakePopupMenu(TComponent* owner) : TPopupMenu(owner, u"PopupMenu1") {}
  TMenuItem* Items() override { return &Root; }
  TFakeMenuItem Root{nullptr, u"", u""};
};

// A window shaped like the main window: the form's caption shares its key with a label
// so that the form rule shows, and the tray menu's items are owned by the form as well.
struct TWindowTree {
  TFakeForm Form{u"처음화면"};
  TLabel LblTitle{&Form, u"LblTitle", u"처음화면"};
  TLabel LblWorking{&Form, u"LblWorking", u"워킹 셋"};
  TPanel PnlHeader{&Form, u"PnlHeader"};
  TLabel BtnConfig{&PnlHeader, u"BtnConfig", u"환경설정"};
  TFakeComboBox EditUsagePhys{&Form, u"EditUsagePhys", {u"30", u"40", u"50", u"60", u"70", u"80", u"90"}, 3};
  TFakeRadioGroup RgpChoice{&Form, u"RgpChoice", {u"열기", u"종료"}, 1};
  TFakeListView LvwInfo{&Form, {u"버전", u"not a key"}, 2};
  TFakePopupMenu PopupMenu1{&Form};
  TFakeMenuItem BtnOpen{&Form, u"BtnOpen", u"Orvanta"};
  TFakeMenuItem N1{&Form, u"N1", u"-"};
  TFakeMenuItem BtnCopyright{&Form, u"BtnCopyright", u"만든이 Talvane"};
  TFakeMenuItem BtnClose{&Form, u"BtnClose", u"종료"};

  TWindowTree() {
    for (TFakeMenuItem* item : {&BtnOpen, &N1, &BtnCopyright, &BtnClose}) PopupMenu1.Root.Add(*item);
    LblTitle.SetHint(u"처음화면");
  }
};

class TranslateComponentTest : public testing::Test {
 protected:
  void SetUp() override { StartTranslation(ParseTranslationTable(ShippedTranslationTable), u"ko"); }
};

TEST_F(TranslateComponentTest, JapaneseWindowTakesJapaneseCaptionsAndAnEnglishTitle) {
  TWindowTree tree;
  TranslateComponent(&tree.Form, u"ja");

  EXPECT_EQ(CurrentLanguage(), u"ja");
  EXPECT_EQ(tree.Form.Caption(), u"Home");
  EXPECT_EQ(tree.LblTitle.Caption(), u"ホーム");
  EXPECT_EQ(tree.LblWorking.Caption(), u"ワーキング");
  EXPECT_EQ(tree.BtnConfig.Caption(), u"設定");
  EXPECT_EQ(tree.LvwInfo.Columns, (std::vector<std::u16string>{u"バージョン", u"not a key"}));
  EXPECT_EQ(tree.LvwInfo.ItemIndex(), 2);
  // Hints are not texts of the interface.
  EXPECT_EQ(tree.LblTitle.Hint(), u"처음화면");
}

TEST_F(TranslateComponentTest, ListItemsAreTranslatedInOneUpdateAndKeepTheirSelection) {
  TWindowTree tree;
  TLabel ownedByCombo(&tree.EditUsagePhys, u"LblInsideCombo", u"종료");
  TranslateComponent(&tree.Form, u"en");

  EXPECT_EQ(tree.EditUsagePhys.Texts(), (std::vector<std::u16string>{u"30", u"40", u"50", u"60", u"70", u"80", u"90"}));
  EXPECT_EQ(tree.EditUsagePhys.ItemIndex(), 3);
  const std::vector<std::string> oneBracket{"begin", "put", "put", "put", "put", "put", "put", "put", "end"};
  EXPECT_EQ(tree.EditUsagePhys.Log, oneBracket);
  // A combo box's own components are not visited.
  EXPECT_EQ(ownedByCombo.Caption(), u"종료");

  EXPECT_EQ(tree.RgpChoice.Texts(), (std::vector<std::u16string>{u"Open", u"Quit"}));
  EXPECT_EQ(tree.RgpChoice.ItemIndex(), 1);
  EXPECT_TRUE(tree.RgpChoice.CaptionWrites.empty()) << "a radio group's heading keeps its text";
}

TEST_F(TranslateComponentTest, MenuItemsAreTranslatedThroughTheMenuAndAgainAsComponents) {
  TWindowTree tree;
  TranslateComponent(&tree.Form, u"ru");

  EXPECT_EQ(tree.BtnClose.CaptionWrites, (std::vector<std::u16string>{u"Выйти", u"Выйти"}));
  EXPECT_EQ(tree.BtnCopyright.CaptionWrites,
            (std::vector<std::u16string>{u"Создатель: Talvane", u"Создатель: Talvane"}));
  EXPECT_EQ(tree.BtnOpen.Caption(), u"Orvanta");
  EXPECT_EQ(tree.N1.CaptionWrites, (std::vector<std::u16string>{u"-", u"-"}));
}

TEST_F(TranslateComponentTest, KoreanWindowStaysKoreanTitleIncluded) {
  TWindowTree tree;
  TranslateComponent(&tree.Form);

  EXPECT_EQ(CurrentLanguage(), u"ko");
  EXPECT_EQ(tree.Form.Caption(), u"처음화면");
  EXPECT_EQ(tree.LblTitle.Caption(), u"처음화면");
  EXPECT_EQ(tree.LblWorking.Caption(), u"워킹 셋");
  EXPECT_EQ(tree.BtnConfig.Caption(), u"환경설정");
  EXPECT_EQ(tree.RgpChoice.Texts(), (std::vector<std::u16string>{u"열기", u"종료"}));
  EXPECT_EQ(tree.BtnClose.Caption(), u"종료");
}

TEST_F(TranslateComponentTest, EnglishTitleRuleFollowsTheLanguageOfTheWalk) {
  // German has no lines: captions fall back to English, and so does the title.
  TWindowTree tree;
  TranslateComponent(&tree.Form, u"de");
  EXPECT_EQ(tree.Form.Caption(), u"Home");
  EXPECT_EQ(tree.LblTitle.Caption(), u"Home");
  EXPECT_EQ(tree.LblWorking.Caption(), u"워킹 셋");
}

TEST_F(TranslateComponentTest, AbsentComponentsAndListsAreIgnored) {
  TranslateComponent(nullptr, u"fr");
  EXPECT_EQ(CurrentLanguage(), u"fr");
  TranslateStrings(nullptr);
  TranslateMenuItem(nullptr);
}

TEST(ComponentTree, ListsOwnedComponentsInCreationOrderAndForgetsDestroyedOnes) {
  TPanel owner(nullptr, u"Owner");
  TPanel first(&owner, u"First");
  {
    TPanel passing(&owner, u"Passing");
    EXPECT_EQ(owner.ComponentCount(), 2u);
  }
  TPanel last(&owner, u"Last");
  ASSERT_EQ(owner.ComponentCount(), 2u);
  EXPECT_EQ(owner.Components(0).Name(), u"First");
  EXPECT_EQ(owner.Components(1).Name(), u"Last");
  EXPECT_EQ(last.Owner(), &owner);

  auto orphanOwner = std::make_unique<TPanel>(nullptr, u"Short-lived");
  TPanel orphan(orphanOwner.get(), u"Orphan");
  orphanOwner.reset();
  EXPECT_EQ(orphan.Owner(), nullptr);
}

}  // namespace
