#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "FakeTaskScheduler.h"
#include "InProcessMainWindow.h"
#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "app/MainWindowControls.h"

namespace {

using TFake = TFakeTaskScheduler;

// Where calls that begin with a text stand in the record.
std::vector<std::size_t> Positions(const std::wstring& prefix) {
  std::vector<std::size_t> positions;
  for (std::size_t i = 0; i < TFake::Calls.size(); ++i) {
    if (TFake::Calls[i].rfind(prefix, 0) == 0) positions.push_back(i);
  }
  return positions;
}

const std::wstring Register = L"ITaskFolder.RegisterTaskDefinition";
const std::wstring Delay = L"ILogonTrigger.put_Delay";
const std::wstring Lookup = L"ITaskFolder.GetTasks";
const std::wstring Removal = std::wstring(L"ITaskFolder.DeleteTask(\"") + AutoStartTaskName + L"\", 0)";

class LogonTaskCallSites : public InProcessMainWindow {
 protected:
  void SetUp() override {
    TFake::Reset();
    TFake::OnCall = nullptr;
    FApi = TFake::Api();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quiremo\\Orvanta");
  }
  void TearDown() override {
    FForm.reset();
    TFake::OnCall = nullptr;
  }

  void Open(TStartMode mode) {
    TMainWindowSeams seams = OfflineSeams();
    seams.Scheduler = &FApi;
    FForm = std::make_unique<TFrmOrvanta>(mode, seams);
    ASSERT_TRUE(FForm->Create());
  }
  bool AutoStartBoxChecked() const {
    return ::SendMessageW(::GetDlgItem(FForm->Handle(), IdChkAutoStart), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  TTaskSchedulerApi FApi{};
  std::unique_ptr<TFrmOrvanta> FForm;
};

TEST_F(LogonTaskCallSites, AnInstallRunRegistersWithAMinuteDelayAndTheLoadRegistersAgainWithout) {
  TFake::Tasks = {AutoStartTaskName};
  Open(TStartMode::Install);
  const auto registrations = Positions(Register);
  const auto delays = Positions(Delay);
  const auto lookups = Positions(Lookup);
  ASSERT_EQ(registrations.size(), 2u);
  ASSERT_EQ(delays.size(), 1u);
  ASSERT_EQ(lookups.size(), 1u);
  EXPECT_EQ(TFake::Calls[delays[0]], Delay + L"(\"PT1M\")");
  EXPECT_LT(delays[0], registrations[0]);
  EXPECT_LT(registrations[0], lookups[0]);
  EXPECT_LT(lookups[0], registrations[1]);
  EXPECT_TRUE(AutoStartBoxChecked());
}

TEST_F(LogonTaskCallSites, AStartWithTheTaskPresentRegistersItOnceWithoutDelay) {
  TFake::Tasks = {AutoStartTaskName};
  Open(TStartMode::Normal);
  EXPECT_EQ(Positions(Register).size(), 1u);
  EXPECT_TRUE(Positions(Delay).empty());
  EXPECT_TRUE(AutoStartBoxChecked());
}

TEST_F(LogonTaskCallSites, AStartWithoutTheTaskRegistersNothing) {
  TFake::Tasks = {L"orvantataskmachine"};  // another name: letter case counts
  Open(TStartMode::Normal);
  EXPECT_TRUE(Positions(Register).empty());
  EXPECT_FALSE(AutoStartBoxChecked());
}

TEST_F(LogonTaskCallSites, TheUninstallCommandRemovesTheTaskAndEndsTheWindow) {
  TFake::Tasks = {AutoStartTaskName};
  Open(TStartMode::Normal);
  const HWND window = FForm->Handle();
  ::SendMessageW(window, WM_USER, CommandQuit, 0);
  EXPECT_EQ(Positions(Removal).size(), 1u);
  EXPECT_FALSE(::IsWindow(window));
}

// While the scheduler works, the thread still takes messages sent from other processes,
// as a thread waiting on COM does: the uninstall call's quit arrives in the middle.
TEST_F(LogonTaskCallSites, AQuitDuringTheCreationStepIsCarriedOutWhenTheStepHasEnded) {
  TFake::Tasks = {AutoStartTaskName};
  std::atomic<bool> quitAnswered = false;
  bool quitSent = false;
  TFake::OnCall = [&](const std::wstring& call) {
    if (quitSent || call.rfind(Register, 0) != 0) return;
    quitSent = true;
    const HWND window = ::FindWindowW(L"TFrmOrvanta", nullptr);
    std::thread uninstall([&, window] {
      ::SendMessageW(window, WM_USER, CommandQuit, 0);
      quitAnswered = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!quitAnswered && std::chrono::steady_clock::now() < deadline) {
      MSG message{};
      ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
      ::Sleep(5);
    }
    uninstall.join();
  };
  Open(TStartMode::Install);
  ASSERT_TRUE(quitSent);
  EXPECT_TRUE(quitAnswered);
  const auto registrations = Positions(Register);
  const auto removals = Positions(Removal);
  ASSERT_EQ(removals.size(), 1u) << "the quit was lost";
  ASSERT_FALSE(registrations.empty());
  EXPECT_GT(removals[0], registrations.back()) << "the task was registered again after the quit removed it";
  EXPECT_FALSE(::IsWindow(FForm->Handle())) << "the window outlived the quit";
}

}  // namespace
