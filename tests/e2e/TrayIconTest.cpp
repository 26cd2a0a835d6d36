#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "FreshProgramTest.h"
#include "OrvantaProcess.h"
#include "TrayDriver.h"
#include "WindowDriver.h"
#include "tray/TrayIcon.h"
#include "ui/Color.h"

using namespace std::chrono_literals;

namespace {

// The quit confirmation: a dialog-class window of the process.
HWND QuitConfirmation(DWORD processId) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = VisibleWindowOf(processId, MessageBoxClass)) != nullptr; }, 5s);
  return found;
}

class TrayIcon : public TFreshProgramTest {
 protected:
  HWND Start(const std::wstring& argument) {
    FProcess = std::make_unique<TOrvantaProcess>(TOrvantaProcess::Start(argument));
    const HWND form = FProcess->WaitForInstanceWindow();
    EXPECT_NE(form, nullptr);
    return form;
  }

  // Right-clicks the icon and picks the last item, "Quit".
  HWND OpenQuitConfirmation() {
    const auto icon = FindTaskbarColour(TrayIdleBody);
    if (!icon) return nullptr;
    ClickScreenAt(*icon, true);
    const HWND menu = WaitForPopupMenu();
    if (menu == nullptr) return nullptr;
    ::PostMessageW(menu, WM_KEYDOWN, VK_UP, 0);
    ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    return QuitConfirmation(FProcess->Id());
  }

  std::unique_ptr<TOrvantaProcess> FProcess;
};

TEST_F(TrayIcon, AClickOnTheGreenIconShowsTheHiddenWindow) {
  const HWND form = Start(L"/start");
  ASSERT_NE(form, nullptr);
  EXPECT_FALSE(::IsWindowVisible(form));
  ASSERT_TRUE(WaitUntil([] { return FindTaskbarColour(TrayIdleBody).has_value(); }, 5s)) << "no green icon in the tray";
  EXPECT_TRUE(ShellKnowsIcon(form, TTrayIcon::IconId));

  ClickScreenAt(*FindTaskbarColour(TrayIdleBody));
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(form) != FALSE; }, 5s)) << "the window stayed hidden";
}

TEST_F(TrayIcon, TheMenusFirstItemOpensTheWindow) {
  const HWND form = Start(L"/start");
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(WaitUntil([] { return FindTaskbarColour(TrayIdleBody).has_value(); }, 5s)) << "no green icon in the tray";
  ClickScreenAt(*FindTaskbarColour(TrayIdleBody), true);
  const HWND menu = WaitForPopupMenu();
  ASSERT_NE(menu, nullptr) << "no menu after a right click";
  ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(form) != FALSE; }, 5s)) << "the window stayed hidden";
}

TEST_F(TrayIcon, QuitAsksFirstAndYesEndsTheProgramAndRemovesTheIcon) {
  const HWND form = Start(L"");
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(WaitUntil([] { return FindTaskbarColour(TrayIdleBody).has_value(); }, 5s)) << "no green icon in the tray";

  HWND question = OpenQuitConfirmation();
  ASSERT_NE(question, nullptr) << "no quit confirmation";
  ::PostMessageW(question, WM_COMMAND, IDNO, 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(question); }, 5s));
  ::Sleep(300);
  EXPECT_TRUE(FProcess->Running()) << "No ended the program";

  question = OpenQuitConfirmation();
  ASSERT_NE(question, nullptr) << "no quit confirmation the second time";
  ::PostMessageW(question, WM_COMMAND, IDYES, 0);
  ASSERT_TRUE(FProcess->WaitForExit(5s)) << "Yes did not end the program";
  EXPECT_EQ(FProcess->ExitCode(), 0u);
  EXPECT_FALSE(ShellKnowsIcon(form, TTrayIcon::IconId));
  EXPECT_TRUE(WaitUntil([] { return !FindTaskbarColour(TrayIdleBody).has_value(); }, 3s)) << "the icon stayed";
}

TEST_F(TrayIcon, TheIconComesBackWhenTheTaskbarIsCreatedAgain) {
  const HWND form = Start(L"");
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return ShellKnowsIcon(form, TTrayIcon::IconId); }, 5s));

  // What an Explorer restart does: the shell forgets the icon, then announces its new taskbar.
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = form;
  data.uID = TTrayIcon::IconId;
  ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &data));
  ASSERT_FALSE(ShellKnowsIcon(form, TTrayIcon::IconId));
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 2000,
                        &ignored);
  EXPECT_TRUE(WaitUntil([&] { return ShellKnowsIcon(form, TTrayIcon::IconId); }, 5s)) << "the icon did not come back";
  EXPECT_TRUE(WaitUntil([] { return FindTaskbarColour(TrayIdleBody).has_value(); }, 5s))
      << "it came back without its picture";
}

using ReadmeScreenshotsOfTheTrayMenu = TrayIcon;

TEST_F(ReadmeScreenshotsOfTheTrayMenu, InEnglish) {
  const char* folder = ScreenshotFolder();
  if (folder == nullptr) GTEST_SKIP() << "not the English screenshot run";
  const HWND form = Start(L"");
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(WaitUntil([] { return FindTaskbarColour(TrayIdleBody).has_value(); }, 5s)) << "no green icon in the tray";
  ClickScreenAt(*FindTaskbarColour(TrayIdleBody), true);
  const HWND menu = WaitForPopupMenu();
  ASSERT_NE(menu, nullptr) << "no menu after a right click";
  // The bottom right corner of the desktop: the menu above the taskbar's notification area.
  RECT shown{};
  ::GetWindowRect(menu, &shown);
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  const RECT area{width - 320, std::max(0L, shown.top - 30), width, height};
  const std::string path = std::string(folder) + "/tray-menu.png";
  EXPECT_TRUE(SaveScreenshot(area, std::wstring(path.begin(), path.end())));
  ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
}

}  // namespace
