#include "JourneySteps.h"
#include "OrvantaProcess.h"
#include "TrayDriver.h"
#include "WindowDriver.h"
#include "tray/TrayIcon.h"

using namespace std::chrono_literals;

namespace {

TEST_F(Journey, QuitAsksFirstNoKeepsTheProgramAndYesEndsIt) {
  TOrvantaProcess program = TOrvantaProcess::Start(L"");
  const HWND form = WaitForShownWindow(program);
  ASSERT_NE(form, nullptr) << "no window on the screen";

  HWND question = OpenQuitConfirmation(program.Id());
  ASSERT_NE(question, nullptr) << "no quit confirmation";
  EXPECT_TRUE(WaitForChildText(question, L"Are you sure you want to quit?"));
  EXPECT_TRUE(SaveJourneyShot(ScreenRect(question), L"quit-confirmation"));
  ASSERT_TRUE(ClickControlOf(question, IDNO));
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(question); }, 5s)) << "No left the question open";
  // Nothing follows a No: the program goes on as it was.
  EXPECT_FALSE(program.WaitForExit(500ms)) << "No ended the program";
  EXPECT_TRUE(::IsWindowVisible(form));
  EXPECT_TRUE(ShellKnowsIcon(form, TTrayIcon::IconId));

  question = OpenQuitConfirmation(program.Id());
  ASSERT_NE(question, nullptr) << "no quit confirmation the second time";
  ASSERT_TRUE(ClickControlOf(question, IDYES));
  ASSERT_TRUE(program.WaitForExit(5s)) << "Yes did not end the program";
  EXPECT_EQ(program.ExitCode(), 0u);
  EXPECT_TRUE(WaitUntil([] { return !FindTaskbarColour(TrayIdleBody).has_value(); }, 3s)) << "the icon stayed";
}

}  // namespace
