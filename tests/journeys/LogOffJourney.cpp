#include <vector>

#include "JourneySteps.h"
#include "OrvantaProcess.h"
#include "TrayDriver.h"

using namespace std::chrono_literals;

namespace {

// Every top-level window of the process, hidden ones too: log-off asks them all.
std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
  struct TSearch {
    DWORD Process;
    std::vector<HWND> Found;
  } search{processId, {}};
  ::EnumWindows(
      [](HWND window, LPARAM state) -> BOOL {
        auto* search = reinterpret_cast<TSearch*>(state);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == search->Process) search->Found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

TEST_F(Journey, LogOffWhileHiddenInTheTrayEndsTheProgramByItself) {
  // As the logon task starts it: hidden, in the tray only.
  TOrvantaProcess program = TOrvantaProcess::Start(L"/start");
  const HWND form = program.WaitForInstanceWindow();
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(WaitForTrayColour(TrayIdleBody)) << "no icon in the tray";
  EXPECT_FALSE(::IsWindowVisible(form));
  EXPECT_TRUE(SaveJourneyShot(NotificationArea(), L"hidden-at-log-off"));

  // As Windows logs off: first the question to every window, then the end to those that
  // are left; a window that answers 0 would hold the log-off up.
  const std::vector<HWND> windows = TopLevelWindowsOf(program.Id());
  ASSERT_FALSE(windows.empty());
  bool formAsked = false;
  for (HWND window : windows) {
    LRESULT answer = 0;
    if (!SendWithTimeout(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, &answer)) continue;  // already gone
    EXPECT_EQ(answer, 1) << "a window refused the log-off";
    formAsked |= window == form;
  }
  EXPECT_TRUE(formAsked) << "the main window did not answer the log-off question";
  for (HWND window : windows) {
    if (::IsWindow(window)) SendWithTimeout(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  }

  // Windows would end the process soon after; it must have ended by itself before then,
  // with its own exit code rather than that of a termination.
  ASSERT_TRUE(program.WaitForExit(5s)) << "the program outlived the log-off";
  EXPECT_EQ(program.ExitCode(), 0u);
  EXPECT_TRUE(WaitUntil([] { return !FindTaskbarColour(TrayIdleBody).has_value(); }, 3s)) << "the icon stayed";
}

}  // namespace
