#include "JourneySteps.h"
#include "OrvantaProcess.h"
#include "TestHostSession.h"
#include "TrayDriver.h"
#include "app/MainWindowControls.h"

using namespace std::chrono_literals;

namespace {

TEST_F(Journey, ATrayClickCleansWithTheWindowHiddenAndEndsWithTheNotice) {
  // A purge slow enough for the grey icon to be seen.
  TTestHostSession host({{"PURGE_MS", "1500"}});
  const HWND form = host.Start();
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(WaitForVisibility(form, true));
  ASSERT_TRUE(ClickControlOf(form, IdBtnConfig));
  ASSERT_TRUE(WaitForVisibility(::GetDlgItem(form, IdChkCleanOnTray), true)) << "the settings page did not open";
  ASSERT_TRUE(ClickControlOf(form, IdChkCleanOnTray));
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(form, IdChkCleanOnTray); }, 5s)) << "the box was not ticked";
  ASSERT_TRUE(ClickCloseButton(form));
  ASSERT_TRUE(WaitForVisibility(form, false)) << "the close button did not hide the window";

  ASSERT_TRUE(ClickTrayIcon());
  ASSERT_TRUE(WaitForTrayColour(TrayCleaningBody)) << "the icon did not turn grey";
  EXPECT_TRUE(SaveJourneyShot(NotificationArea(), L"tray-clean"));
  ASSERT_TRUE(host.WaitForCount("notification", 1, 10s)) << "no notice after the tray clean";
  EXPECT_EQ(host.Events().back().What, "notification Orvanta|Optimized memory.");
  EXPECT_EQ(host.Count("purge-begin"), 1u);
  EXPECT_EQ(host.Count("purge-end"), 1u);
  EXPECT_TRUE(WaitForTrayColour(TrayIdleBody)) << "the icon stayed grey";
  EXPECT_FALSE(::IsWindowVisible(form)) << "a tray clean showed the window";
}

}  // namespace
