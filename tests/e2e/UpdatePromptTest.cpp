#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <memory>
#include <string>

#include "FreshProgramTest.h"
#include "LoopbackHttpServer.h"
#include "OrvantaProcess.h"
#include "QuietBrowser.h"
#include "WindowDriver.h"

using namespace std::chrono_literals;

namespace {

// The update prompt of a process: our own message dialog.
HWND PromptOf(DWORD processId) {
  return VisibleWindowOf(processId, UpdatePromptClass);
}

// The program asks a loopback server of this test, whose answer carries an update link.
class UpdatePrompt : public TFreshProgramTest {
 protected:
  void TearDown() override {
    TFreshProgramTest::TearDown();
    ::SetEnvironmentVariableW(L"ORVANTA_TEST_UPDATE_URL", nullptr);
  }

  // Starts the program against a server with this answer; the prompt's window, if one came.
  HWND StartWithAnswer(TLoopbackHttpServer& server) {
    const std::u16string url = server.Url();
    ::SetEnvironmentVariableW(L"ORVANTA_TEST_UPDATE_URL", std::wstring(url.begin(), url.end()).c_str());
    FProcess = std::make_unique<TOrvantaProcess>(TOrvantaProcess::Start(L""));
    EXPECT_NE(FProcess->WaitForInstanceWindow(), nullptr);
    HWND prompt = nullptr;
    WaitUntil([&] { return (prompt = PromptOf(FProcess->Id())) != nullptr; }, 10s);
    return prompt;
  }

  // Yes hands the link to the shell.
  TQuietBrowser FBrowser;
  std::unique_ptr<TOrvantaProcess> FProcess;
};

TEST_F(UpdatePrompt, NoKeepsTheProgramRunningAndYesEndsIt) {
  TLoopbackHttpServer server({"{\"update\":\"https://example.invalid/setup.exe\"}"});
  HWND prompt = StartWithAnswer(server);
  ASSERT_NE(prompt, nullptr) << "no prompt at start";
  ::PostMessageW(prompt, WM_COMMAND, IDNO, 0);
  ASSERT_TRUE(WaitUntil([&] { return PromptOf(FProcess->Id()) == nullptr; }, 5s));
  ::Sleep(300);
  EXPECT_TRUE(FProcess->Running()) << "No ended the program";
  EndAnyInstance();

  prompt = StartWithAnswer(server);
  ASSERT_NE(prompt, nullptr) << "no prompt at the second start";
  ::PostMessageW(prompt, WM_COMMAND, IDYES, 0);
  EXPECT_TRUE(FProcess->WaitForExit(5s)) << "Yes did not end the program";
}

TEST_F(UpdatePrompt, AnUninstallCallDuringThePromptEndsTheProgram) {
  TLoopbackHttpServer server({"{\"update\":\"https://example.invalid/setup.exe\"}"});
  ASSERT_NE(StartWithAnswer(server), nullptr) << "no prompt at start";
  TOrvantaProcess uninstall = TOrvantaProcess::Start(L"/uninst");
  EXPECT_TRUE(uninstall.WaitForExit(5s));
  EXPECT_TRUE(FProcess->WaitForExit(5s)) << "the prompt kept the program alive";
  EXPECT_EQ(FProcess->ExitCode(), 0u);
}

TEST_F(UpdatePrompt, AServerThatNeverAnswersDoesNotHoldUpTheQuit) {
  TLoopbackHttpServer server({"", "200 OK", 0, true});
  const std::u16string url = server.Url();
  ::SetEnvironmentVariableW(L"ORVANTA_TEST_UPDATE_URL", std::wstring(url.begin(), url.end()).c_str());
  FProcess = std::make_unique<TOrvantaProcess>(TOrvantaProcess::Start(L""));
  const HWND form = FProcess->WaitForInstanceWindow();
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return !server.Requests().empty(); }, 5s)) << "the program did not ask";
  const auto asked = std::chrono::steady_clock::now();
  SendWithTimeout(form, WM_USER, 2, 0);  // the uninstall call's quit
  ASSERT_TRUE(FProcess->WaitForExit(5s));
  EXPECT_LT(std::chrono::steady_clock::now() - asked, 2s);
}

// Taken in the English run of the language tests, whose font links draw every script.
TEST_F(UpdatePrompt, ReadmeScreenshotsOfThePrompt) {
  const char* folder = ScreenshotFolder();
  if (folder == nullptr) GTEST_SKIP() << "not the English screenshot run";
  const struct {
    const char* File;
    const char* Answer;
  } shots[] = {
      {"/update-prompt.png", "{\"update\":\"https://example.invalid/setup.exe\"}"},
      {"/update-prompt-hold.png",
       "{\"update\":\"https://example.invalid/setup.exe\",\"info\":{\"style\":\"hold\",\"text\":\"Remind me "
       "later\"}}"},
      {"/update-prompt-note.png",
       "{\"update\":\"https://example.invalid/setup.exe\",\"info\":{\"style\":\"note\",\"text\":\"What is "
       "new\",\"url\":\"https://example.invalid/news\"}}"},
  };
  for (const auto& shot : shots) {
    TLoopbackHttpServer server({shot.Answer});
    const HWND prompt = StartWithAnswer(server);
    ASSERT_NE(prompt, nullptr) << shot.File;
    const std::string path = std::string(folder) + shot.File;
    EXPECT_TRUE(SaveWindowScreenshot(prompt, std::wstring(path.begin(), path.end())));
    EndAnyInstance();
  }
}

}  // namespace
