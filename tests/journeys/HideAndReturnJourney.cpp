#include "JourneySteps.h"
#include "OrvantaProcess.h"
#include "TrayDriver.h"
#include "WindowDriver.h"
#include "tray/TrayIcon.h"

using namespace std::chrono_literals;

namespace {

TEST_F(Journey, TheCloseButtonHidesToTheTrayAndASecondStartBringsTheWindowBack) {
  TOrvantaProcess program = TOrvantaProcess::Start(L"");
  const HWND form = WaitForShownWindow(program);
  ASSERT_NE(form, nullptr) << "no window on the screen";

  ASSERT_TRUE(ClickCloseButton(form));
  ASSERT_TRUE(WaitForVisibility(form, false)) << "the close button did not hide the window";
  EXPECT_FALSE(program.WaitForExit(300ms)) << "the close button ended the program";
  EXPECT_TRUE(WaitForTrayColour(TrayIdleBody)) << "no icon in the tray while hidden";

  // What starting the program again from its shortcut does.
  TOrvantaProcess second = TOrvantaProcess::Start(L"");
  ASSERT_TRUE(second.WaitForExit(10s)) << "the second start stayed";
  EXPECT_EQ(second.ExitCode(), 0u);
  ASSERT_TRUE(WaitForVisibility(form, true)) << "the second start did not bring the window back";
  EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == form; }, 5s)) << "the window came back behind";
  EXPECT_EQ(InstanceWindows().size(), 1u) << "a second instance";
  EXPECT_TRUE(SaveJourneyShot(ScreenRect(form), L"back-from-the-tray"));
}

}  // namespace
