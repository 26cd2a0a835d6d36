#include "JourneySteps.h"
#include "OrvantaProcess.h"
#include "WindowDriver.h"
#include "app/MainWindowControls.h"

using namespace std::chrono_literals;

namespace {

// Opens the settings page with a real click on the header's Config button.
void OpenSettings(HWND form) {
  ASSERT_TRUE(ClickControlOf(form, IdBtnConfig));
  ASSERT_TRUE(WaitForVisibility(::GetDlgItem(form, IdChkUsagePhys), true)) << "the settings page did not open";
}

TEST_F(Journey, ARuleTurnedOnIsStillOnAfterARestart) {
  {
    TOrvantaProcess first = TOrvantaProcess::Start(L"");
    const HWND form = WaitForShownWindow(first);
    ASSERT_NE(form, nullptr) << "no window on the screen";
    OpenSettings(form);
    ASSERT_FALSE(IsChecked(form, IdChkUsagePhys)) << "a new machine starts with the rule on";
    ASSERT_TRUE(ClickControlOf(form, IdChkUsagePhys));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(form, IdChkUsagePhys); }, 5s)) << "the click did not tick the box";
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(form, IdEditUsagePhys))) << "the rule's limit stayed greyed";

    // Quit through the tray menu's last item, as a user ends the program.
    const HWND question = OpenQuitConfirmation(first.Id());
    ASSERT_NE(question, nullptr) << "no quit confirmation";
    ASSERT_TRUE(ClickControlOf(question, IDYES));
    ASSERT_TRUE(first.WaitForExit(5s)) << "the program did not end";
  }

  TOrvantaProcess second = TOrvantaProcess::Start(L"");
  const HWND form = WaitForShownWindow(second);
  ASSERT_NE(form, nullptr) << "no window on the screen";
  OpenSettings(form);
  EXPECT_TRUE(IsChecked(form, IdChkUsagePhys)) << "the rule was off after the restart";
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(form, IdEditUsagePhys)));
  EXPECT_FALSE(IsChecked(form, IdChkUsagePage)) << "another rule came on";
  EXPECT_TRUE(SaveJourneyShot(ScreenRect(form), L"rule-after-restart"));
}

}  // namespace
