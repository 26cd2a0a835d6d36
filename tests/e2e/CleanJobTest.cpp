#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "FreshProgramTest.h"
#include "OrvantaProcess.h"
#include "TestHostSession.h"
#include "TrayDriver.h"
#include "WindowDriver.h"
#include "app/CommandLine.h"
#include "app/MainWindowControls.h"
#include "tray/TrayIcon.h"
#include "ui/Color.h"

using namespace std::chrono_literals;

namespace {

bool UserLanguageIsKorean() {
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  ::GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
  return name[0] == L'k' && name[1] == L'o';
}

std::wstring CleanCaption() {
  return UserLanguageIsKorean() ? L"정리하기" : L"Clean memory";
}

std::string CleanedNotice() {
  return UserLanguageIsKorean()
             ? "notification Orvanta|\xEB\xA9\x94\xEB\xAA\xA8\xEB\xA6\xAC\xEB\xA5\xBC "
               "\xEC\xA0\x95\xEB\xA6\xAC\xED\x95\x98\xEC\x98\x80\xEC\x8A\xB5\xEB\x8B\x88\xEB\x8B\xA4."
             : "notification Orvanta|Optimized memory.";
}

bool CleanButtonBusy(HWND form) {
  const HWND button = ::GetDlgItem(form, IdBtnClean);
  return WindowText(button).empty() && !::IsWindowEnabled(button);
}

bool CleanButtonIdle(HWND form) {
  const HWND button = ::GetDlgItem(form, IdBtnClean);
  return WindowText(button) == CleanCaption() && ::IsWindowEnabled(button);
}

bool IndicatorShown(HWND form) {
  return ::IsWindowVisible(::GetDlgItem(form, IdIndicator)) != FALSE;
}

class CleanJob : public TFreshProgramTest {};

using ReadmeScreenshotsOfAClean = CleanJob;

TEST_F(CleanJob, TheButtonRunsOneJobWhileItIsBlankAndDisabledAndTheTrayTurnsGrey) {
  TTestHostSession host({{"PURGE_MS", "1500"}});
  const HWND form = host.Start();
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return FindTaskbarColour(TrayIdleBody).has_value(); }, 5s)) << "no green tray icon";

  ClickControl(form, IdBtnClean);
  ASSERT_TRUE(WaitUntil([&] { return CleanButtonBusy(form); }, 2s)) << "the button did not turn busy";
  EXPECT_TRUE(IndicatorShown(form)) << "no spinner over the button of the active window";
  EXPECT_TRUE(WaitUntil([&] { return FindTaskbarColour(TrayCleaningBody).has_value(); }, 2s)) << "no grey tray icon";
  EXPECT_FALSE(FindTaskbarColour(TrayIdleBody).has_value());
  // A second request while the job runs is dropped, not queued.
  ClickControl(form, IdBtnClean);

  ASSERT_TRUE(WaitUntil([&] { return CleanButtonIdle(form); }, 5s)) << "the button did not come back";
  EXPECT_FALSE(IndicatorShown(form));
  EXPECT_TRUE(WaitUntil([&] { return FindTaskbarColour(TrayIdleBody).has_value(); }, 2s)) << "the icon stayed grey";
  ::Sleep(300);
  EXPECT_EQ(host.Count("purge-begin"), 1u);
  EXPECT_EQ(host.Count("purge-end"), 1u);
  EXPECT_EQ(host.Count("notification"), 0u) << "a button clean shows no notice";
}

TEST_F(CleanJob, AJobEndHoldsTheRulesOffForFiveMinutes) {
  // Memory reads full, so the physical rule with no limit chosen (100 %) holds on every
  // tick; the rules' clock runs 300 times faster, so 300 s pass in one real second.
  TTestHostSession host({{"USAGE", "100"}, {"CLOCK_SPEED", "300"}});
  const HWND form = host.Start();
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(TickBox(form, IdChkUsagePhys)) << "the box did not become ticked";
  ASSERT_TRUE(host.WaitForCount("purge-end", 3, 20s)) << "the rule did not clean three times";

  const auto events = host.Events();
  double lastEnd = 0;  // the start sets the reference point too
  for (const auto& event : events) {
    if (event.What == "purge-begin") {
      EXPECT_GE(event.Seconds - lastEnd, 300.0) << "a clean came too soon";
    }
    if (event.What == "purge-end") lastEnd = event.Seconds;
  }
  EXPECT_EQ(host.Count("notification"), 0u) << "automatic cleans show no notice";
}

TEST_F(CleanJob, ATrayCleanKeepsTheWindowHiddenAndEndsWithTheNotice) {
  TTestHostSession host({{"PURGE_MS", "300"}});
  const HWND form = host.Start();
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(TickBox(form, IdChkCleanOnTray)) << "the box did not become ticked";
  ::ShowWindow(form, SW_HIDE);
  const auto icon = FindTaskbarColour(TrayIdleBody);
  ASSERT_TRUE(icon.has_value()) << "no green tray icon";

  ClickScreenAt(*icon);
  ASSERT_TRUE(host.WaitForCount("purge-begin", 1, 5s)) << "the tray click started no clean";
  EXPECT_FALSE(IndicatorShown(form)) << "a spinner on a hidden window";
  ASSERT_TRUE(host.WaitForCount("notification", 1, 5s)) << "no notice after the tray clean";
  EXPECT_EQ(host.Count("purge-end"), 1u);
  EXPECT_EQ(host.Events().back().What, CleanedNotice());
  EXPECT_FALSE(::IsWindowVisible(form));
}

TEST_F(CleanJob, AJobWhosePurgeCallsAllFailStillCompletes) {
  TTestHostSession host({{"PURGE_STATUS", "C0000022"}});
  const HWND form = host.Start();
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(TickBox(form, IdChkCleanOnTray)) << "the box did not become ticked";
  // Keyboard activation of the icon (Enter on it) arrives like this.
  ::PostMessageW(form, TTrayIcon::CallbackMessage, 0, MAKELPARAM(NIN_KEYSELECT, TTrayIcon::IconId));
  ASSERT_TRUE(host.WaitForCount("notification", 1, 5s));
  EXPECT_EQ(host.Events().back().What, CleanedNotice());
  EXPECT_TRUE(WaitUntil([&] { return CleanButtonIdle(form); }, 2s));
}

TEST_F(CleanJob, TheWindowAnswersAtOnceWhileThePurgeRuns) {
  TTestHostSession host({{"PURGE_MS", "2000"}});
  const HWND form = host.Start();
  ASSERT_NE(form, nullptr);
  ClickControl(form, IdBtnClean);
  ASSERT_TRUE(host.WaitForCount("purge-begin", 1, 2s));

  std::vector<double> answers;
  for (int i = 0; i < 20; ++i) {
    const auto sent = std::chrono::steady_clock::now();
    DWORD_PTR text = 0;
    ASSERT_TRUE(::SendMessageTimeoutW(form, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &text));
    answers.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - sent).count());
    ::Sleep(40);
  }
  EXPECT_EQ(host.Count("purge-end"), 0u) << "the purge ended before all messages were sent";
  std::sort(answers.begin(), answers.end());
  EXPECT_LT(answers.back(), 250.0) << "slowest answer";
  EXPECT_LT(answers[answers.size() / 2], 16.0) << "median answer";
}

TEST_F(CleanJob, QuittingDuringAJobEndsTheProgramWithoutWaitingForThePurge) {
  TTestHostSession host({{"PURGE_MS", "8000"}});
  const HWND form = host.Start();
  ASSERT_NE(form, nullptr);
  ClickControl(form, IdBtnClean);
  ASSERT_TRUE(host.WaitForCount("purge-begin", 1, 2s));

  SendWithTimeout(form, WM_USER, CommandQuit, 0);
  ASSERT_TRUE(host.Process().WaitForExit(4s)) << "the program waited for the purge";
  EXPECT_EQ(host.Process().ExitCode(), 0u);
  EXPECT_EQ(host.Count("purge-end"), 0u);
}

// Taken in the English run of the language tests (tests/e2e/CMakeLists.txt), whose font
// links draw every script.
TEST_F(ReadmeScreenshotsOfAClean, InEnglish) {
  const char* folder = ScreenshotFolder();
  if (folder == nullptr) GTEST_SKIP() << "not the English screenshot run";
  const auto path = [&](const char* name) {
    const std::string file = std::string(folder) + "/" + name;
    return std::wstring(file.begin(), file.end());
  };
  TTestHostSession host({{"PURGE_MS", "3000"}});
  const HWND form = host.Start();
  ASSERT_NE(form, nullptr);
  ClickControl(form, IdBtnClean);
  ASSERT_TRUE(WaitUntil([&] { return CleanButtonBusy(form) && IndicatorShown(form); }, 2s));
  ::Sleep(300);  // a few frames of the spinner
  RECT bounds{};
  ::GetWindowRect(form, &bounds);
  EXPECT_TRUE(SaveScreenshot(bounds, path("home-cleaning.png"), false));
  ASSERT_TRUE(WaitUntil([&] { return CleanButtonIdle(form); }, 6s));
  EXPECT_TRUE(SaveWindowScreenshot(form, path("home-after-clean.png")));
}

}  // namespace
