#include <gtest/gtest.h>

#include <chrono>
#include <cwchar>
#include <string>
#include <vector>

#include "OrvantaProcess.h"

using namespace std::chrono_literals;

namespace {

std::string Narrow(const wchar_t* text) {
  return std::string(text, text + wcslen(text));
}

class InstanceHandOver : public ::testing::Test {
 protected:
  void SetUp() override {
    EndAnyInstance();
    ASSERT_FALSE(InstanceMutexExists());
  }
  void TearDown() override { EndAnyInstance(); }

  // Starts the instance and waits until its creation step is over.
  HWND StartInstance(TOrvantaProcess& process) {
    HWND window = process.WaitForInstanceWindow();
    EXPECT_NE(window, nullptr);
    return window;
  }

  static void RunToEnd(const std::wstring& argument) {
    auto process = TOrvantaProcess::Start(argument);
    ASSERT_TRUE(process.WaitForExit(10s)) << "argument " << Narrow(argument.c_str());
    EXPECT_EQ(process.ExitCode(), 0u);
  }
};

bool IsShownInFront(HWND window) {
  return ::IsWindowVisible(window) && !::IsIconic(window) && ::GetForegroundWindow() == window;
}

TEST_F(InstanceHandOver, SecondStartShowsTheHiddenInstanceUnlessItIsALogonStart) {
  struct TCase {
    const wchar_t* SecondArgument;
    bool Shows;
  };
  const TCase cases[] = {{L"", true}, {L"/inst", true}, {L"/START", true}, {L"/start", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE("second start with \"" + Narrow(c.SecondArgument) + "\"");
    auto instance = TOrvantaProcess::Start(L"/start");
    const HWND window = StartInstance(instance);
    ASSERT_FALSE(::IsWindowVisible(window));

    RunToEnd(c.SecondArgument);
    if (c.Shows) {
      EXPECT_TRUE(WaitUntil([&] { return IsShownInFront(window); }, 5s));
    } else {
      EXPECT_FALSE(::IsWindowVisible(window));
    }
    EXPECT_TRUE(instance.Running());
    EXPECT_EQ(InstanceWindows().size(), 1u);
    EndAnyInstance();
  }
}

TEST_F(InstanceHandOver, SecondStartRestoresAMinimizedInstance) {
  auto instance = TOrvantaProcess::Start(L"");
  const HWND window = StartInstance(instance);
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(window); }, 5s));
  ::ShowWindow(window, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(window) != FALSE; }, 5s));

  RunToEnd(L"");
  EXPECT_TRUE(WaitUntil([&] { return IsShownInFront(window); }, 5s));
}

TEST_F(InstanceHandOver, FirstArgumentDecidesWhetherTheWindowShowsAtStart) {
  struct TCase {
    const wchar_t* Argument;
    bool Shown;
  };
  const TCase cases[] = {{L"", true}, {L"/START", true}, {L"/Start", true}, {L"/start", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE("argument \"" + Narrow(c.Argument) + "\"");
    auto instance = TOrvantaProcess::Start(c.Argument);
    const HWND window = StartInstance(instance);
    EXPECT_EQ(::IsWindowVisible(window) != FALSE, c.Shown);
    EndAnyInstance();
  }
}

TEST_F(InstanceHandOver, UninstallEndsTheInstanceAndTheCallerPromptly) {
  auto instance = TOrvantaProcess::Start(L"");
  const HWND window = StartInstance(instance);

  auto uninstall = TOrvantaProcess::Start(L"/uninst");
  ASSERT_TRUE(uninstall.WaitForExit(5s));
  EXPECT_EQ(uninstall.ExitCode(), 0u);
  EXPECT_LE(uninstall.Lifetime(), 1500ms);
  EXPECT_TRUE(instance.WaitForExit(5s));
  EXPECT_EQ(instance.ExitCode(), 0u);
  EXPECT_FALSE(::IsWindow(window));
}

TEST_F(InstanceHandOver, UninstallWithoutInstanceEndsAtOnceAndStartsNothing) {
  auto uninstall = TOrvantaProcess::Start(L"/uninst");
  ASSERT_TRUE(uninstall.WaitForExit(5s));
  // Without a window to wait for there are no 100 ms rounds at all.
  EXPECT_LT(uninstall.Lifetime(), 900ms);
  EXPECT_TRUE(InstanceWindows().empty());
  EXPECT_FALSE(InstanceMutexExists());
}

TEST_F(InstanceHandOver, OnlyCommandsOneAndTwoAreObeyed) {
  auto instance = TOrvantaProcess::Start(L"/start");
  const HWND window = StartInstance(instance);

  for (WPARAM ignored : {WPARAM{0}, WPARAM{3}, WPARAM{0x7FFF}}) {
    ASSERT_TRUE(SendWithTimeout(window, WM_USER, ignored, 0));
  }
  EXPECT_FALSE(::IsWindowVisible(window));
  EXPECT_TRUE(instance.Running());

  // The same channel with command 1 does reach the window.
  ASSERT_TRUE(SendWithTimeout(window, WM_USER, 1, 0));
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(window) != FALSE; }, 5s));
}

TEST_F(InstanceHandOver, EndOfSessionClosesForRealAndDoesNotBlockIt) {
  auto instance = TOrvantaProcess::Start(L"/start");
  const HWND window = StartInstance(instance);

  LRESULT answer = 0;
  ASSERT_TRUE(SendWithTimeout(window, WM_QUERYENDSESSION, 0, 0, &answer));
  EXPECT_EQ(answer, 1);
  EXPECT_TRUE(instance.WaitForExit(5s));
  EXPECT_EQ(instance.ExitCode(), 0u);
}

TEST_F(InstanceHandOver, CloseRequestsHideTheWindowAndKeepTheProgram) {
  auto instance = TOrvantaProcess::Start(L"");
  const HWND window = StartInstance(instance);
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(window) != FALSE; }, 5s));

  // The title-bar button (and Alt+F4) arrive as SC_CLOSE; code closes with WM_CLOSE.
  for (const auto& [message, wParam] : {std::pair<UINT, WPARAM>{WM_SYSCOMMAND, SC_CLOSE}, {WM_CLOSE, 0}}) {
    ASSERT_TRUE(SendWithTimeout(window, message, wParam, 0));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(window); }, 5s));
    EXPECT_TRUE(::IsWindow(window));
    EXPECT_TRUE(instance.Running());
    ASSERT_TRUE(SendWithTimeout(window, WM_USER, 1, 0));
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(window) != FALSE; }, 5s));
  }
}

TEST_F(InstanceHandOver, SimultaneousStartsLeaveExactlyOneInstance) {
  constexpr int Starts = 8;
  std::vector<TOrvantaProcess> processes;
  for (int i = 0; i < Starts; ++i) processes.push_back(TOrvantaProcess::Start(L"/start", /*suspended=*/true));
  for (auto& process : processes) process.Resume();

  ASSERT_TRUE(WaitUntil(
      [&] {
        int running = 0;
        for (const auto& process : processes) running += process.Running() ? 1 : 0;
        return running <= 1;
      },
      30s));
  int running = 0;
  DWORD survivor = 0;
  for (const auto& process : processes) {
    if (process.Running()) {
      ++running;
      survivor = process.Id();
    }
  }
  ASSERT_EQ(running, 1);
  ASSERT_TRUE(WaitUntil([] { return InstanceWindows().size() == 1; }, 10s));
  DWORD owner = 0;
  ::GetWindowThreadProcessId(InstanceWindows().front(), &owner);
  EXPECT_EQ(owner, survivor);
}

}  // namespace
