#include "tray/TrayIcon.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

namespace {

// Every call the icon makes of the shell, and the answer the test chose for removals.
struct TShellCall {
  DWORD Message;
  UINT Flags;
};
std::vector<TShellCall> Calls;
int FailingRemovals = 0;

BOOL WINAPI RecordShellCall(DWORD message, PNOTIFYICONDATAW data) {
  Calls.push_back({message, data->uFlags});
  if (message == NIM_DELETE && FailingRemovals > 0) {
    --FailingRemovals;
    return FALSE;
  }
  return TRUE;
}

std::vector<DWORD> Messages() {
  std::vector<DWORD> messages;
  for (const TShellCall& call : Calls) messages.push_back(call.Message);
  return messages;
}

TTrayIcon* HostedIcon = nullptr;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HostedIcon != nullptr && HostedIcon->HandleHostMessage(message, wParam, lParam, result)) return result;
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// Runs the test thread's messages (the re-show rounds arrive as sent messages) until the
// handle is signalled or the time is up.
bool PumpUntilSignalled(HANDLE handle, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    const DWORD woken = ::MsgWaitForMultipleObjects(1, &handle, FALSE, static_cast<DWORD>(left.count()), QS_ALLINPUT);
    if (woken == WAIT_OBJECT_0) return true;
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
  }
}

HANDLE Duplicate(HANDLE handle) {
  HANDLE copy = nullptr;
  ::DuplicateHandle(::GetCurrentProcess(), handle, ::GetCurrentProcess(), &copy, SYNCHRONIZE, FALSE, 0);
  return copy;
}

class TrayIconReshow : public ::testing::Test {
 protected:
  void SetUp() override {
    Calls.clear();
    FailingRemovals = 0;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &HostProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"OrvantaTrayIconTestHost";
    ::RegisterClassExW(&windowClass);
    FHost = ::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
    ASSERT_NE(FHost, nullptr);
    FIcon = std::make_unique<TTrayIcon>(nullptr, u"TrayIcon", FHost, &RecordShellCall);
    HostedIcon = FIcon.get();
    FIcon->SetVisible(true);
    Calls.clear();
  }
  void TearDown() override {
    HostedIcon = nullptr;
    FIcon.reset();
    ::DestroyWindow(FHost);
  }

  HWND FHost = nullptr;
  std::unique_ptr<TTrayIcon> FIcon;
};

TEST_F(TrayIconReshow, OnlyALogonStartStartsTheThread) {
  FIcon->Repaint(false);
  EXPECT_EQ(FIcon->ReshowThread(), nullptr);
  EXPECT_TRUE(Calls.empty());
}

TEST_F(TrayIconReshow, TheIconIsRemovedAndAddedOnceAboutASecondAfterALogonStart) {
  const auto started = std::chrono::steady_clock::now();
  FIcon->Repaint(true);
  ASSERT_NE(FIcon->ReshowThread(), nullptr);
  ASSERT_TRUE(PumpUntilSignalled(FIcon->ReshowThread(), std::chrono::seconds(5))) << "the thread did not end";
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(900));
  EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_DELETE, NIM_ADD, NIM_SETVERSION}));
  EXPECT_TRUE(FIcon->Visible());
}

TEST_F(TrayIconReshow, AFailedRemovalIsFollowedByOneMoreRoundThatOnlyAdds) {
  FailingRemovals = 1;
  const auto started = std::chrono::steady_clock::now();
  FIcon->Repaint(true);
  ASSERT_TRUE(PumpUntilSignalled(FIcon->ReshowThread(), std::chrono::seconds(5))) << "the thread did not end";
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1900)) << "only one round ran";
  EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_DELETE, NIM_ADD, NIM_SETVERSION}));
  EXPECT_TRUE(FIcon->Visible());
}

TEST_F(TrayIconReshow, AnIconDestroyedWhileTheThreadSleepsGetsNoFurtherRound) {
  FIcon->Repaint(true);
  const HANDLE thread = Duplicate(FIcon->ReshowThread());
  ASSERT_NE(thread, nullptr);
  HostedIcon = nullptr;
  FIcon.reset();
  Calls.clear();
  EXPECT_TRUE(PumpUntilSignalled(thread, std::chrono::seconds(5))) << "the thread did not end";
  ::CloseHandle(thread);
  EXPECT_TRUE(Calls.empty()) << "a round ran after the icon was gone";
}

TEST_F(TrayIconReshow, TaskbarCreatedAddsAVisibleIconAgain) {
  ::SendMessageW(FHost, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION}));
  ASSERT_EQ(Calls.size(), 2u);
  EXPECT_EQ(Calls[0].Flags & (NIF_ICON | NIF_TIP | NIF_MESSAGE), static_cast<UINT>(NIF_ICON | NIF_TIP | NIF_MESSAGE));
}

}  // namespace
