#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>

#include "TestForm.h"
#include "appearance/AccentBlue.h"
#include "appearance/ThemeHelper.h"

namespace {

constexpr COLORREF Blue = RGB(0x3D, 0x84, 0xDD);

class ThemeHelperTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(FForm.CreateWindowAndControls()); }

  void Activate(WORD state) { ::SendMessageW(FForm.Handle(), WM_ACTIVATE, state, 0); }

  TTestForm FForm;
};

TEST_F(ThemeHelperTest, LineSpansTheTopTwoPixelsAndFollowsActivation) {
  TThemeHelper* helper = AttachThemeHelper(&FForm);
  const HWND line = helper->AccentLine().Handle();
  ASSERT_NE(line, nullptr);
  RECT bounds{};
  ::GetWindowRect(line, &bounds);
  ::MapWindowPoints(nullptr, FForm.Handle(), reinterpret_cast<POINT*>(&bounds), 2);
  const int dpi = static_cast<int>(FForm.Dpi());
  EXPECT_EQ(bounds.left, 0);
  EXPECT_EQ(bounds.top, 0);
  EXPECT_EQ(bounds.right, ::MulDiv(300, dpi, 96));
  EXPECT_EQ(bounds.bottom, ::MulDiv(2, dpi, 96));
  EXPECT_TRUE(::IsWindowVisible(line) || !::IsWindowVisible(FForm.Handle()));

  // Starts in the active look whatever the real state is.
  EXPECT_EQ(PrintedPixel(line, 10, 1), Blue);
  Activate(WA_INACTIVE);
  EXPECT_EQ(PrintedPixel(line, 10, 1), ::GetSysColor(COLOR_GRAYTEXT));
  Activate(WA_CLICKACTIVE);
  EXPECT_EQ(PrintedPixel(line, 10, 1), Blue);
  Activate(WA_INACTIVE);
  Activate(WA_ACTIVE);
  EXPECT_EQ(PrintedPixel(line, 200, 0), Blue);
}

TEST_F(ThemeHelperTest, MessagesStillReachTheFormThroughTheHook) {
  AttachThemeHelper(&FForm);
  const int before = FForm.MessagesSeen;
  ::SendMessageW(FForm.Handle(), WM_APP, 0, 0);
  EXPECT_EQ(FForm.MessagesSeen, before + 1);
}

TEST_F(ThemeHelperTest, DestroyingTheHelperPutsBackTheFormsHandling) {
  TThemeHelper* helper = AttachThemeHelper(&FForm);
  TShape& line = helper->AccentLine();
  FForm.DestroyAdopted(helper);
  // The line stays with the form but no longer follows activation.
  Activate(WA_INACTIVE);
  EXPECT_EQ(PrintedPixel(line.Handle(), 10, 1), Blue);
  const int before = FForm.MessagesSeen;
  ::SendMessageW(FForm.Handle(), WM_APP, 0, 0);
  EXPECT_EQ(FForm.MessagesSeen, before + 1);
}

TEST(ThemeHelper, RefusesAnOwnerThatIsNotAForm) {
  TTestForm form;
  ASSERT_TRUE(form.CreateWindowAndControls());
  TComponent notAForm(&form, u"Plain");
  try {
    AttachThemeHelper(&notAForm);
    FAIL() << "no error raised";
  } catch (const std::invalid_argument& error) {
    EXPECT_EQ(std::string(error.what()), "TThemeHelper Owner must be a TForm");
  }
  // Nothing was attached: no line, and the form's handling is its own.
  EXPECT_EQ(::GetWindow(form.Handle(), GW_CHILD), nullptr);
  const int before = form.MessagesSeen;
  ::SendMessageW(form.Handle(), WM_APP, 0, 0);
  EXPECT_EQ(form.MessagesSeen, before + 1);
}

TEST(ThemeHelper, BorderlessFormNeverShowsTheLine) {
  TTestForm form(/*borderless=*/true);
  ASSERT_TRUE(form.CreateWindowAndControls());
  ::ShowWindow(form.Handle(), SW_SHOWNA);
  TThemeHelper* helper = AttachThemeHelper(&form);
  EXPECT_FALSE(helper->AccentLine().Visible());
  ::SendMessageW(form.Handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
  ::SendMessageW(form.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_FALSE(::IsWindowVisible(helper->AccentLine().Handle()));
}

}  // namespace
