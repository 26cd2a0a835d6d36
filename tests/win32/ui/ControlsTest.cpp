#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <thread>

#include "TestForm.h"
#include "appearance/QuiremoButtonStyles.h"
#include "ui/ActivityIndicator.h"
#include "ui/Panel.h"
#include "ui/StandardControls.h"
#include "ui/StyledButton.h"

namespace {

// The button and the lists live on a form that exists for the whole test.
class ControlsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterQuiremoButtonStyles(); }

  void SetUp() override {
    FButton.SetCaption(u"Clean");
    FButton.SetStyle("Quiremo", "Outline");
    FButton.OnClick = [this](TStyledButton&) { ++FClicks; };
    ASSERT_TRUE(FForm.CreateWindowAndControls());
  }

  LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageW(window, message, wParam, lParam);
  }

  TTestForm FForm;
  TStyledButton FButton{&FForm, u"BtnClean", &FForm, {10, 10, 164, 68}, 1};
  TDropDownList FList{&FForm, u"EditUsage", &FForm, {10, 100, 81, 21}, 2, {u"30", u"40", u"50"}};
  TCheckBox FBox{&FForm, u"ChkUsage", &FForm, {10, 130, 100, 17}, 3};
  int FClicks = 0;
};

TEST_F(ControlsTest, StyledButtonStatesFollowTheMouse) {
  const HWND button = FButton.Handle();
  const LPARAM inside = MAKELPARAM(20, 20);
  const LPARAM outside = MAKELPARAM(500, 500);
  EXPECT_EQ(FButton.State(), bsmNormal);
  Send(button, WM_MOUSEMOVE, 0, inside);
  EXPECT_EQ(FButton.State(), bsmHot);
  Send(button, WM_LBUTTONDOWN, MK_LBUTTON, inside);
  EXPECT_EQ(FButton.State(), bsmPressed);
  EXPECT_TRUE(Send(button, BM_GETSTATE) & BST_PUSHED);
  Send(button, WM_LBUTTONUP, 0, inside);
  EXPECT_EQ(FClicks, 1);

  // Pressed, dragged off and released outside: no click.
  Send(button, WM_LBUTTONDOWN, MK_LBUTTON, inside);
  Send(button, WM_MOUSEMOVE, MK_LBUTTON, outside);
  EXPECT_NE(FButton.State(), bsmPressed);
  Send(button, WM_LBUTTONUP, 0, outside);
  EXPECT_EQ(FClicks, 1);

  Send(button, WM_MOUSELEAVE);
  EXPECT_EQ(FButton.State(), bsmNormal);
  // A mouse click does not take the keyboard focus, as with a speed button.
  EXPECT_NE(::GetFocus(), button);
}

TEST_F(ControlsTest, StyledButtonKeysAndDisabledState) {
  const HWND button = FButton.Handle();
  Send(button, WM_KEYDOWN, VK_SPACE);
  EXPECT_EQ(FButton.State(), bsmPressed);
  Send(button, WM_KEYUP, VK_SPACE);
  Send(button, WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(FClicks, 2);

  FButton.SetEnabled(false);
  EXPECT_EQ(FButton.State(), bsmDisabled);
  Send(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  Send(button, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  Send(button, BM_CLICK);
  EXPECT_EQ(FClicks, 2);
}

TEST_F(ControlsTest, StyledButtonPaintsItsFamilysSets) {
  // The Outline set: a clear face (white shows through) and a black caption; filled blue when hot.
  const COLORREF face = PrintedPixel(FButton.Handle(), 12, 34);
  EXPECT_EQ(face, RGB(255, 255, 255));
  Send(FButton.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
  EXPECT_EQ(PrintedPixel(FButton.Handle(), 12, 34), RGB(0x50, 0x90, 0xE0));
}

TEST_F(ControlsTest, DropDownListSelectionFromCodeIsQuietAndRangeChecked) {
  int changes = 0;
  FList.OnChange = [&](TDropDownList&) { ++changes; };
  FList.SetItemIndex(2);
  EXPECT_EQ(FList.SelectedText(), u"50");
  EXPECT_EQ(Send(FList.Handle(), CB_GETCURSEL), 2);
  for (int outside : {3, 9, -1, -7}) {
    FList.SetItemIndex(outside);
    EXPECT_EQ(FList.ItemIndex(), -1) << outside;
    EXPECT_EQ(FList.SelectedText(), u"") << outside;
    EXPECT_EQ(Send(FList.Handle(), CB_GETCURSEL), CB_ERR) << outside;
  }
  EXPECT_EQ(changes, 0);

  // A pick by the user reaches OnChange with the new index.
  Send(FList.Handle(), CB_SETCURSEL, 1);
  Send(FForm.Handle(), WM_COMMAND, MAKEWPARAM(2, CBN_SELCHANGE), reinterpret_cast<LPARAM>(FList.Handle()));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(FList.ItemIndex(), 1);
}

// The translation walk renames every item of a list inside one update: the window's list is
// filled once, at the end, with the selection kept.
TEST_F(ControlsTest, DropDownListItemsChangedInAnUpdateReachTheWindowAtItsEnd) {
  const HWND list = FList.Handle();
  const auto windowItem = [&](int index) {
    wchar_t text[16] = {};
    Send(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return std::wstring(text);
  };
  FList.SetItemIndex(1);
  TStrings& items = *FList.Items();
  items.BeginUpdate();
  items.Put(0, u"thirty");
  items.Put(1, u"forty");
  EXPECT_EQ(windowItem(0), L"30") << "the window's list changed before the update ended";
  items.EndUpdate();
  EXPECT_EQ(windowItem(0), L"thirty");
  EXPECT_EQ(windowItem(1), L"forty");
  EXPECT_EQ(windowItem(2), L"50");
  EXPECT_EQ(Send(list, CB_GETCURSEL), 1);
  EXPECT_EQ(FList.SelectedText(), u"forty");

  // Outside an update a change shows at once.
  items.Put(2, u"fifty");
  EXPECT_EQ(windowItem(2), L"fifty");
  EXPECT_EQ(Send(list, CB_GETCURSEL), 1);
}

TEST_F(ControlsTest, CheckBoxRunsItsClickOnlyWhenItsStateChanges) {
  int clicks = 0;
  FBox.OnClick = [&](TCheckBox&) { ++clicks; };
  FBox.SetChecked(false);
  EXPECT_EQ(clicks, 0);
  FBox.SetChecked(true);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Send(FBox.Handle(), BM_GETCHECK), BST_CHECKED);
  Send(FForm.Handle(), WM_COMMAND, MAKEWPARAM(3, BN_CLICKED), reinterpret_cast<LPARAM>(FBox.Handle()));
  EXPECT_FALSE(FBox.Checked());
  EXPECT_EQ(Send(FBox.Handle(), BM_GETCHECK), BST_UNCHECKED);
  EXPECT_EQ(clicks, 2);
}

TEST(CardPanel, ShowsExactlyOnePage) {
  TTestForm form;
  TCardPanel cards(&form, u"PnlMain", &form, {0, 0, 300, 200});
  TCard first(&form, u"Card1", &cards, {0, 0, 300, 200});
  TCard second(&form, u"Card2", &cards, {0, 0, 300, 200});
  TLabel onFirst(&form, u"LblFirst", &first, {10, 10, 50, 13}, 1);
  TLabel onSecond(&form, u"LblSecond", &second, {10, 10, 50, 13}, 2);
  cards.AddCard(&first);
  cards.AddCard(&second);
  cards.SetActiveCard(0);
  ASSERT_TRUE(form.CreateWindowAndControls());
  ::ShowWindow(form.Handle(), SW_SHOWNA);
  EXPECT_TRUE(::IsWindowVisible(onFirst.Handle()));
  EXPECT_FALSE(::IsWindowVisible(onSecond.Handle()));
  cards.SetActiveCard(1);
  EXPECT_FALSE(::IsWindowVisible(onFirst.Handle()));
  EXPECT_TRUE(::IsWindowVisible(onSecond.Handle()));
  cards.SetActiveCard(5);  // no such page: nothing changes
  EXPECT_EQ(cards.ActiveCardIndex(), 1);
  ::ShowWindow(form.Handle(), SW_HIDE);
}

TEST(ActivityIndicator, TurnsWhileAnimatingAndStandsStillOtherwise) {
  TTestForm form;
  TActivityIndicator indicator(&form, u"Indicator", &form, {10, 10, 32, 32}, 1);
  ASSERT_TRUE(form.CreateWindowAndControls());
  ::ShowWindow(form.Handle(), SW_SHOWNA);
  const auto picture = [&] {
    std::uint64_t sum = 0;
    for (int y = 0; y < 32; y += 2) {
      for (int x = 0; x < 32; x += 2) sum = sum * 31 + PrintedPixel(indicator.Handle(), x, y);
    }
    return sum;
  };
  const std::uint64_t still = picture();
  indicator.SetAnimating(true);
  bool turned = false;
  for (int attempt = 0; attempt < 100 && !turned; ++attempt) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    turned = picture() != still;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_TRUE(turned);
  indicator.SetAnimating(false);
  const std::uint64_t stopped = picture();
  for (int i = 0; i < 10; ++i) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_EQ(picture(), stopped);
  ::ShowWindow(form.Handle(), SW_HIDE);
}

}  // namespace
