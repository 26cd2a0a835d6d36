#include "JourneySteps.h"
#include "LoopbackHttpServer.h"
#include "OrvantaProcess.h"
#include "QuietBrowser.h"
#include "TestHostSession.h"
#include "WindowDriver.h"

using namespace std::chrono_literals;

namespace {

TEST_F(Journey, AnUpdateAnswerRaisesThePromptAndYesEndsTheProgram) {
  TQuietBrowser browser;  // Yes hands the download link to the shell
  TLoopbackHttpServer server({"{\"update\":\"https://example.invalid/setup.exe\"}"});
  const std::u16string url = server.Url();
  TTestHostSession host({{"UPDATE_URL", std::string(url.begin(), url.end())}});
  ASSERT_NE(host.Start(), nullptr);

  HWND prompt = nullptr;
  ASSERT_TRUE(
      WaitUntil([&] { return (prompt = VisibleWindowOf(host.Process().Id(), UpdatePromptClass)) != nullptr; }, 15s))
      << "no prompt; requests seen by the server: " << server.Requests().size();
  EXPECT_TRUE(WaitForChildText(prompt,
                               L"This program has been updated.\r\n\r\nIt is recommended to download and execute new "
                               L"for stable use.\r\n\r\nDo you want to download it?"));
  EXPECT_TRUE(WaitForChildText(prompt, L"Yes"));
  EXPECT_TRUE(SaveJourneyShot(ScreenRect(prompt), L"update-prompt"));

  ASSERT_TRUE(ClickControlOf(prompt, IDYES));
  ASSERT_TRUE(host.Process().WaitForExit(5s)) << "Yes did not end the program";
  EXPECT_EQ(host.Process().ExitCode(), 0u);
}

}  // namespace
