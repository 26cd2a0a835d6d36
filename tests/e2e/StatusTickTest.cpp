// What the once-a-second tick measures: the figures when someone can see them or a usage
// rule needs them, nothing otherwise, and fresh figures the moment the window shows.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>

#include "FreshProgramTest.h"
#include "OrvantaProcess.h"
#include "TestHostSession.h"
#include "WindowDriver.h"
#include "app/CommandLine.h"
#include "app/MainWindowControls.h"

using namespace std::chrono_literals;

namespace {

class StatusTick : public TFreshProgramTest {};

TEST_F(StatusTick, HiddenWithNoUsageRuleItMeasuresNothingAndShowsFreshFiguresWhenOpened) {
  TTestHostSession host({{"LOG_SAMPLES", "1"}, {"USAGE", "50"}});
  const HWND form = host.Start(L"/start");
  ASSERT_NE(form, nullptr);
  ASSERT_FALSE(::IsWindowVisible(form));
  ::Sleep(3500);  // three ticks at least
  EXPECT_EQ(host.Count("memory-sample"), 0u) << "a hidden window with every usage rule off measured memory";

  ASSERT_TRUE(SendWithTimeout(form, WM_USER, CommandShow, 0));
  ASSERT_TRUE(::IsWindowVisible(form));
  EXPECT_GE(host.Count("memory-sample"), 1u) << "the window showed without measuring first";
  const std::wstring line = WindowText(::GetDlgItem(form, IdLblPhysStatus));
  EXPECT_NE(line.find(L"8,192 MB / 16,384 MB"), std::wstring::npos) << "stale status line: " << line.c_str();
  const std::size_t shown = host.Count("memory-sample");
  EXPECT_TRUE(host.WaitForCount("memory-sample", shown + 2, 5s)) << "a shown window stopped measuring";
}

TEST_F(StatusTick, AUsageRuleKeepsMeasuringWhileHidden) {
  const DWORD on = 1;
  ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Quiremo\\Orvanta", L"enabled_usage_phys", REG_DWORD, &on,
                              sizeof on),
            ERROR_SUCCESS);
  // 50 % in use against the rule's 90 %: it measures every second and never cleans.
  TTestHostSession host({{"LOG_SAMPLES", "1"}, {"USAGE", "50"}});
  const HWND form = host.Start(L"/start");
  ASSERT_NE(form, nullptr);
  ASSERT_FALSE(::IsWindowVisible(form));
  EXPECT_TRUE(host.WaitForCount("memory-sample", 3, 5s)) << "the usage rule went unmeasured while hidden";
  EXPECT_EQ(host.Count("purge-begin"), 0u);
}

}  // namespace
