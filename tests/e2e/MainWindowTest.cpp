#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "FreshProgramTest.h"
#include "OrvantaProcess.h"
#include "WindowDriver.h"
#include "app/MainWindowControls.h"

using namespace std::chrono_literals;

namespace {

// Where each control must sit in the client area at 96 DPI: the accent line takes the top
// 2 pixels, the header 2..51, the pages 52..449.
struct TPlacement {
  int Id;
  RECT Bounds96;  // left, top, right, bottom
};

RECT At(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

const TPlacement HomePage[] = {
    {IdBtnHome, At(20, 12, 70, 30)},      {IdBtnConfig, At(90, 12, 70, 30)},
    {IdLblTitle, At(8, 92, 484, 81)},     {IdProgressBar, At(56, 244, 393, 25)},
    {IdLblPhys, At(56, 275, 70, 13)},     {IdLblPhysStatus, At(132, 275, 317, 13)},
    {IdLblVirtual, At(56, 294, 70, 13)},  {IdLblVirtualStatus, At(134, 294, 120, 13)},
    {IdLblWorking, At(263, 294, 70, 13)}, {IdLblWorkingStatus, At(341, 294, 108, 13)},
    {IdBtnClean, At(168, 350, 164, 68)},
};

const TPlacement SettingsPage[] = {
    {IdGroupBox1, At(15, 66, 474, 155)},     {IdChkUsagePhys, At(32, 98, 328, 17)},
    {IdEditUsagePhys, At(387, 97, 81, 21)},  {IdChkUsagePage, At(32, 128, 328, 17)},
    {IdEditUsagePage, At(387, 128, 81, 21)}, {IdChkUsageWork, At(32, 158, 328, 17)},
    {IdEditUsageWork, At(387, 155, 81, 21)}, {IdChkMinute, At(32, 188, 328, 17)},
    {IdEditMinute, At(387, 182, 81, 21)},    {IdGroupBox3, At(15, 244, 474, 73)},
    {IdChkAutoStart, At(32, 276, 208, 17)},  {IdChkCleanOnTray, At(260, 276, 208, 17)},
    {IdEditInfo, At(15, 420, 170, 21)},
};

const int HiddenAlways[] = {IdBtnDonate, IdLogoImage, IdIndicator};

// The DPI the prefix runs at; a second run of these tests uses a prefix set to 144.
UINT ExpectedDpi() {
  const char* dpi = std::getenv("ORVANTA_TEST_DPI");
  return dpi != nullptr ? static_cast<UINT>(std::atoi(dpi)) : 96;
}

RECT Scaled(const RECT& bounds96, UINT dpi) {
  const int left = ::MulDiv(bounds96.left, static_cast<int>(dpi), 96);
  const int top = ::MulDiv(bounds96.top, static_cast<int>(dpi), 96);
  return {left, top, left + ::MulDiv(bounds96.right - bounds96.left, static_cast<int>(dpi), 96),
          top + ::MulDiv(bounds96.bottom - bounds96.top, static_cast<int>(dpi), 96)};
}

bool ControlVisible(HWND form, int id) {
  return ::IsWindowVisible(::GetDlgItem(form, id)) != FALSE;
}

class MainWindow : public TFreshProgramTest {
 protected:
  HWND Start() {
    FProcess = std::make_unique<TOrvantaProcess>(TOrvantaProcess::Start(L""));
    const HWND form = FProcess->WaitForInstanceWindow();
    EXPECT_NE(form, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(form) != FALSE; }, 5s));
    return form;
  }

  static void ExpectPlacements(HWND form, const TPlacement* placements, std::size_t count, UINT dpi) {
    for (std::size_t i = 0; i < count; ++i) {
      const RECT expected = Scaled(placements[i].Bounds96, dpi);
      const RECT actual = ControlRect(form, placements[i].Id);
      EXPECT_TRUE(ControlVisible(form, placements[i].Id)) << "control " << placements[i].Id;
      EXPECT_EQ(actual.left, expected.left) << "control " << placements[i].Id;
      EXPECT_EQ(actual.top, expected.top) << "control " << placements[i].Id;
      EXPECT_EQ(actual.right - actual.left, expected.right - expected.left) << "control " << placements[i].Id;
      EXPECT_EQ(actual.bottom - actual.top, expected.bottom - expected.top) << "control " << placements[i].Id;
    }
  }

  static void ShowPage(HWND form, int buttonId, int visibleId) {
    ClickControl(form, buttonId);
    ASSERT_TRUE(WaitUntil([&] { return ControlVisible(form, visibleId); }, 5s));
  }

  std::unique_ptr<TOrvantaProcess> FProcess;
};

TEST_F(MainWindow, EveryControlSitsWhereTheLayoutPutsItAtTheDisplaysDpi) {
  const HWND form = Start();
  const UINT dpi = ExpectedDpi();
  ASSERT_EQ(::GetDpiForWindow(form), dpi);
  const SIZE client = ClientSize(form);
  EXPECT_EQ(client.cx, ::MulDiv(500, static_cast<int>(dpi), 96));
  EXPECT_EQ(client.cy, ::MulDiv(450, static_cast<int>(dpi), 96));

  ExpectPlacements(form, HomePage, std::size(HomePage), dpi);
  for (const auto& placement : SettingsPage) EXPECT_FALSE(ControlVisible(form, placement.Id)) << placement.Id;
  for (int id : HiddenAlways) EXPECT_FALSE(ControlVisible(form, id)) << id;

  ShowPage(form, IdBtnConfig, IdGroupBox1);
  ExpectPlacements(form, SettingsPage, std::size(SettingsPage), dpi);
  for (const auto& placement : HomePage) {
    if (placement.Id == IdBtnHome || placement.Id == IdBtnConfig) continue;
    EXPECT_FALSE(ControlVisible(form, placement.Id)) << placement.Id;
  }
  for (int id : HiddenAlways) EXPECT_FALSE(ControlVisible(form, id)) << id;
}

struct TCaption {
  int Id;
  const wchar_t* English;
  const wchar_t* Korean;
};

const TCaption Captions[] = {
    {IdBtnHome, L"Home", L"처음화면"},
    {IdBtnConfig, L"Config", L"환경설정"},
    {IdLblTitle, L"Orvanta", L"Orvanta"},
    {IdLblPhys, L"Physical", L"실제 메모리"},
    {IdLblVirtual, L"Virtual", L"가상 메모리"},
    // The table has no English line for this one: it stays Korean.
    {IdLblWorking, L"워킹 셋", L"워킹 셋"},
    {IdBtnClean, L"Clean memory", L"정리하기"},
    {IdGroupBox1, L"Memory", L"메모리 관리"},
    {IdChkUsagePhys, L"Clean when physical memory usage is higher than (%)",
     L"실제 메모리 사용률(%) 이상일 때 정리하기"},
    {IdChkMinute, L"Clean automatically if interval (minutes) exceeded.", L"다음 시간(분) 마다 정리하기"},
    {IdGroupBox3, L"General", L"기본 설정"},
    {IdChkAutoStart, L"Run on system start", L"부팅시 실행하기"},
    {IdChkCleanOnTray, L"Clean when you click on the task icon", L"트레이 아이콘 클릭시 정리하기"},
    {IdEditInfo, L"ver: " ORVANTA_VERSION_TEXT, L"버전: " ORVANTA_VERSION_TEXT},
};

// Run once per language, with LC_ALL set for this process and so for the program it
// starts; ORVANTA_TEST_LANGUAGE says which ("en" or "ko").
class MainWindowLanguage : public MainWindow {
 protected:
  static bool Korean() {
    const char* language = std::getenv("ORVANTA_TEST_LANGUAGE");
    return language != nullptr && std::string(language) == "ko";
  }
};

TEST_F(MainWindowLanguage, CaptionsComeInTheUsersLanguage) {
  const HWND form = Start();
  EXPECT_EQ(WindowText(form), L"Orvanta");
  for (const auto& caption : Captions) {
    EXPECT_EQ(WindowText(::GetDlgItem(form, caption.Id)), Korean() ? caption.Korean : caption.English)
        << "control " << caption.Id;
  }
}

TEST_F(MainWindow, HeaderButtonsSwitchPagesAndStayExclusive) {
  const HWND form = Start();
  const auto isDown = [&](int id) {
    DWORD_PTR state = 0;
    ::SendMessageTimeoutW(::GetDlgItem(form, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    return state == BST_CHECKED;
  };
  EXPECT_TRUE(isDown(IdBtnHome));
  EXPECT_FALSE(isDown(IdBtnConfig));

  ShowPage(form, IdBtnConfig, IdGroupBox1);
  EXPECT_FALSE(ControlVisible(form, IdBtnClean));
  EXPECT_TRUE(isDown(IdBtnConfig));
  EXPECT_FALSE(isDown(IdBtnHome));

  ShowPage(form, IdBtnHome, IdBtnClean);
  EXPECT_FALSE(ControlVisible(form, IdGroupBox1));
  EXPECT_TRUE(isDown(IdBtnHome));
  EXPECT_FALSE(isDown(IdBtnConfig));
}

TEST_F(MainWindow, TabReachesTheButtonsAndSpacePressesThem) {
  const HWND form = Start();
  const auto pressKey = [&](WPARAM key) {
    ::PostMessageW(FocusedWindowOf(form) != nullptr ? FocusedWindowOf(form) : form, WM_KEYDOWN, key, 1);
    ::PostMessageW(FocusedWindowOf(form) != nullptr ? FocusedWindowOf(form) : form, WM_KEYUP, key, 0xC0000001);
  };
  const auto focusMovesTo = [&](int id) {
    return WaitUntil([&] { return FocusedWindowOf(form) == ::GetDlgItem(form, id); }, 5s);
  };
  // Hidden controls and the pages' other parts are skipped; the order wraps round.
  for (int id : {IdBtnHome, IdBtnConfig, IdBtnClean, IdBtnHome, IdBtnConfig}) {
    pressKey(VK_TAB);
    ASSERT_TRUE(focusMovesTo(id)) << "control " << id;
  }
  DWORD_PTR state = 0;
  ::SendMessageTimeoutW(::GetDlgItem(form, IdBtnConfig), BM_GETSTATE, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
  EXPECT_TRUE(state & BST_FOCUS);
  pressKey(VK_SPACE);
  EXPECT_TRUE(WaitUntil([&] { return ControlVisible(form, IdGroupBox1); }, 5s));
}

// Overlapping siblings paint in Z order: the spinner must lie on the clean button, and a
// group box's frame under the controls it holds.
TEST_F(MainWindow, OverlappingControlsAreStackedForPainting) {
  const HWND form = Start();
  std::vector<int> topToBottom;
  for (HWND child = ::GetWindow(form, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    topToBottom.push_back(::GetDlgCtrlID(child));
  }
  const auto depth = [&](int id) {
    return std::find(topToBottom.begin(), topToBottom.end(), id) - topToBottom.begin();
  };
  EXPECT_LT(depth(IdIndicator), depth(IdBtnClean));
  for (int inside : {IdChkUsagePhys, IdEditUsagePhys, IdChkMinute, IdEditMinute}) {
    EXPECT_LT(depth(inside), depth(IdGroupBox1)) << inside;
  }
  for (int inside : {IdChkAutoStart, IdChkCleanOnTray}) EXPECT_LT(depth(inside), depth(IdGroupBox3)) << inside;
}

TEST_F(MainWindow, ClickingTheVersionFieldLeavesNoControlFocused) {
  const HWND form = Start();
  ShowPage(form, IdBtnConfig, IdEditInfo);
  ClickControl(form, IdEditInfo);
  ASSERT_TRUE(WaitUntil([&] { return FocusedWindowOf(form) != ::GetDlgItem(form, IdEditInfo); }, 5s));
  const HWND focused = FocusedWindowOf(form);
  EXPECT_TRUE(focused == nullptr || focused == form);
}

TEST_F(MainWindow, F1ChangesNothing) {
  const HWND form = Start();
  HELPINFO help{};
  help.cbSize = sizeof(help);
  LRESULT answer = 1;
  ASSERT_TRUE(SendWithTimeout(form, WM_KEYDOWN, VK_F1, 0));
  ASSERT_TRUE(SendWithTimeout(form, WM_HELP, 0, reinterpret_cast<LPARAM>(&help), &answer));
  EXPECT_EQ(answer, 0);
  EXPECT_TRUE(FProcess->Running());
  EXPECT_TRUE(::IsWindowVisible(form));
  EXPECT_TRUE(ControlVisible(form, IdBtnClean));
  // No help window, dialog or message box came up.
  EXPECT_EQ(VisibleTopLevelWindowsOf(FProcess->Id()), 1u);
}

TEST_F(MainWindowLanguage, ScreenshotsForTheReadme) {
  const char* folder = std::getenv("ORVANTA_SCREENSHOT_DIR");
  if (folder == nullptr) GTEST_SKIP() << "ORVANTA_SCREENSHOT_DIR is not set";
  const std::string prefix = std::string(folder) + "/";
  const std::string suffix = Korean() ? "-ko.png" : "-en.png";
  const auto path = [&](const char* page) {
    const std::string name = prefix + page + suffix;
    return std::wstring(name.begin(), name.end());
  };
  const HWND form = Start();
  EXPECT_TRUE(SaveWindowScreenshot(form, path("home")));
  ShowPage(form, IdBtnConfig, IdGroupBox1);
  EXPECT_TRUE(SaveWindowScreenshot(form, path("settings")));
}

}  // namespace
