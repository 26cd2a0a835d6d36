#include "update/UpdateCheck.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "LoopbackHttpServer.h"
#include "i18n/Translation.h"
#include "update/ClientId.h"
#include "update/ShellOpen.h"
#include "update/VersionText.h"

using namespace std::chrono_literals;

namespace {

struct TOutcome {
  bool Launched;
  std::u16string Data;
};

std::atomic<int> Attempts = 0;
bool CountingHttpGetText(std::u16string_view url, const THeaderList& headers, std::u16string& text) {
  ++Attempts;
  return HttpGetText(url, headers, text);
}

int Prompts = 0;
bool PromptAnswer = false;
bool RecordingDialog(const std::u16string&) {
  ++Prompts;
  return PromptAnswer;
}

std::vector<std::wstring> Opened;
void RecordOpen(const wchar_t* target) {
  Opened.emplace_back(target);
}

std::string Utf8(std::u16string_view text) {
  std::string bytes;
  for (char16_t c : text) bytes += static_cast<char>(c);  // ASCII in these tests
  return bytes;
}

// The values of the request's "User-..." headers, in the order they were sent.
std::vector<std::string> UserHeaders(const std::string& head) {
  std::vector<std::string> found;
  std::size_t start = 0;
  while (start < head.size()) {
    const std::size_t end = head.find("\r\n", start);
    const std::string line = head.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (line.rfind("User-", 0) == 0) found.push_back(line);
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return found;
}

class UpdateCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    Attempts = 0;
    Prompts = 0;
    PromptAnswer = false;
    Opened.clear();
    SetApplicationTerminating(false);
    TUpdateCheckSeams& seams = UpdateCheckSeams();
    seams = TUpdateCheckSeams{};
    seams.HttpGetText = &CountingHttpGetText;
    seams.UpdateDialog = &RecordingDialog;
    seams.PauseSteps = 5;  // 50 ms instead of ten seconds
    FShellOpen = ShellApi().Open;
    ShellApi().Open = &RecordOpen;
    if (CurrentLanguage().empty()) SetCurrentLanguage(u"en");
  }
  void TearDown() override {
    ShellApi().Open = FShellOpen;
    UpdateCheckSeams() = TUpdateCheckSeams{};
  }

  // Starts a check and runs this thread's messages until its callback comes (or not).
  std::optional<TOutcome> Check(const std::u16string& url, std::chrono::milliseconds limit = 10s) {
    std::optional<TOutcome> outcome;
    CheckUpdate(
        url,
        [&](bool launched, const std::u16string& data) {
          outcome = TOutcome{launched, data};
        },
        10);
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!outcome && std::chrono::steady_clock::now() < deadline) Pump(10ms);
    return outcome;
  }
  static void Pump(std::chrono::milliseconds time) {
    const auto until = std::chrono::steady_clock::now() + time;
    do {
      MSG message{};
      while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (std::chrono::steady_clock::now() < until);
  }

  void (*FShellOpen)(const wchar_t*) = nullptr;
};

TEST_F(UpdateCheck, SendsItsFourHeadersInOrderAndHandsTheBodyToTheCallback) {
  TLoopbackHttpServer server({"{\"info\":{}} caf\xC3\xA9"});
  ASSERT_TRUE(server.Listening());
  const auto outcome = Check(server.Url());
  ASSERT_TRUE(outcome.has_value()) << "no callback";
  EXPECT_FALSE(outcome->Launched);
  // UTF-8 whatever the response says (it claims ISO-8859-1).
  EXPECT_EQ(outcome->Data, u"{\"info\":{}} caf\u00e9");
  EXPECT_EQ(Prompts, 0);
  ASSERT_EQ(server.Requests().size(), 1u);
  const std::vector<std::string> expected{"User-Version: " + Utf8(GetVersionText(u"%d.%d.%d.%d")),
                                          "User-Language: " + Utf8(CurrentLanguage()), "User-Debug: false",
                                          "User-Union: " + Utf8(GetClientId())};
  EXPECT_EQ(UserHeaders(server.Requests()[0]), expected);
}

TEST_F(UpdateCheck, AnErrorPageIsTheAnswer) {
  TLoopbackHttpServer server({"<html>Not Found</html>", "404 Not Found"});
  const auto outcome = Check(server.Url());
  ASSERT_TRUE(outcome.has_value());
  EXPECT_EQ(outcome->Data, u"<html>Not Found</html>");
  EXPECT_EQ(Attempts, 1);
  EXPECT_EQ(Prompts, 0);
}

TEST_F(UpdateCheck, AClosedPortGetsSixAttemptsEachFollowedByItsPause) {
  const auto started = std::chrono::steady_clock::now();
  const auto outcome = Check(ClosedLoopbackUrl());
  ASSERT_TRUE(outcome.has_value());
  EXPECT_FALSE(outcome->Launched);
  EXPECT_TRUE(outcome->Data.empty());
  EXPECT_EQ(Attempts, 6);
  EXPECT_GE(std::chrono::steady_clock::now() - started, 6 * 50ms) << "a pause was skipped";
}

TEST_F(UpdateCheck, ABodyOverOneMebibyteIsAFailedAttempt) {
  TLoopbackHttpServer server({std::string(2 * 1024 * 1024, 'x')});
  const auto outcome = Check(server.Url(), 30s);
  ASSERT_TRUE(outcome.has_value());
  EXPECT_TRUE(outcome->Data.empty());
  EXPECT_EQ(Attempts, 6);
}

TEST_F(UpdateCheck, QuittingDuringAPauseEndsTheWorkerWithoutACallback) {
  UpdateCheckSeams().PauseSteps = 1000;  // the real ten seconds
  std::optional<TOutcome> outcome;
  CheckUpdate(
      ClosedLoopbackUrl(),
      [&](bool launched, const std::u16string& data) {
        outcome = TOutcome{launched, data};
      },
      10);
  ASSERT_TRUE([&] {
    for (int i = 0; i < 500 && Attempts == 0; ++i) Pump(10ms);
    return Attempts == 1;
  }());
  Pump(100ms);  // into the pause
  SetApplicationTerminating(true);
  Pump(300ms);
  // The worker has ended by now: a worker still pausing would try again once the flag is off.
  SetApplicationTerminating(false);
  Pump(11s);
  EXPECT_EQ(Attempts, 1);
  EXPECT_FALSE(outcome.has_value());
}

TEST_F(UpdateCheck, AnAnswerThatArrivesAfterTheQuitIsNotActedUpon) {
  TLoopbackHttpServer server({"{\"update\":\"https://example.invalid/new\"}", "200 OK", 2000});
  std::optional<TOutcome> outcome;
  CheckUpdate(
      server.Url(),
      [&](bool launched, const std::u16string& data) {
        outcome = TOutcome{launched, data};
      },
      10);
  Pump(300ms);
  SetApplicationTerminating(true);
  Pump(2500ms);
  EXPECT_FALSE(outcome.has_value());
  EXPECT_EQ(Prompts, 0);
  EXPECT_TRUE(Opened.empty());
}

struct TLinkCase {
  const char* Name;
  std::string Body;
  bool Answer;
  int ExpectedPrompts;
  bool ExpectedLaunch;
};

TEST_F(UpdateCheck, OnlyAWebLinkRaisesThePromptAndOnlyYesOpensIt) {
  const TLinkCase cases[] = {
      {"file link", "{\"update\":\"file:///C:/Windows/System32/calc.exe\"}", true, 0, false},
      {"program path", "{\"update\":\"C:\\\\Windows\\\\notepad.exe\"}", true, 0, false},
      {"empty link", "{\"update\":\"\",\"info\":{\"style\":\"note\"}}", true, 0, false},
      {"web link, No", "{\"update\":\"https://example.invalid/new\"}", false, 1, false},
      {"web link, Yes", "{\"update\":\"https://example.invalid/new\"}", true, 1, true},
      {"broken escape", "{\"update\":\"https://example.invalid/\\uZZZZ\"}", true, 0, false},
  };
  for (const TLinkCase& linkCase : cases) {
    SCOPED_TRACE(linkCase.Name);
    Prompts = 0;
    Opened.clear();
    PromptAnswer = linkCase.Answer;
    TLoopbackHttpServer server({linkCase.Body});
    const auto outcome = Check(server.Url(), linkCase.Body.find("uZZZZ") != std::string::npos ? 1s : 10s);
    EXPECT_EQ(Prompts, linkCase.ExpectedPrompts);
    if (linkCase.Body.find("uZZZZ") != std::string::npos) {
      EXPECT_FALSE(outcome.has_value()) << "a broken escape ends the check without a callback";
      continue;
    }
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(outcome->Launched, linkCase.ExpectedLaunch);
    EXPECT_EQ(Opened.size(), linkCase.ExpectedLaunch ? 1u : 0u);
    if (linkCase.ExpectedLaunch && !Opened.empty()) {
      EXPECT_EQ(Opened[0], L"https://example.invalid/new");
    }
  }
}

TEST_F(UpdateCheck, AnIdentifierWithALineBreakIsSentEmpty) {
  HKEY key = nullptr;
  ASSERT_EQ(
      ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Quiremo", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  const wchar_t hostile[] = L"abc\r\nX-Injected: 1";
  ::RegSetValueExW(key, L"QUID", 0, REG_SZ, reinterpret_cast<const BYTE*>(hostile), sizeof(hostile));
  TLoopbackHttpServer server({"{}"});
  const auto outcome = Check(server.Url());
  ::RegDeleteValueW(key, L"QUID");
  ::RegCloseKey(key);
  ASSERT_TRUE(outcome.has_value());
  ASSERT_EQ(server.Requests().size(), 1u);
  const std::string head = server.Requests()[0];
  EXPECT_EQ(head.find("X-Injected"), std::string::npos) << head;
  const std::vector<std::string> headers = UserHeaders(head);
  ASSERT_EQ(headers.size(), 4u);
  EXPECT_EQ(headers[3].substr(0, 11), "User-Union:");
  EXPECT_EQ(headers[3].find("abc"), std::string::npos) << headers[3];
}

TEST_F(UpdateCheck, TheHoldCommandSendsTheVersionAndTheCommandOnly) {
  TLoopbackHttpServer server({"{}"});
  ASSERT_TRUE(Check(server.Url()).has_value());
  SendHoldCommand();
  WaitForHoldCommands(3000);
  ASSERT_EQ(server.Requests().size(), 2u);
  const std::vector<std::string> expected{"User-Version: " + Utf8(GetVersionText(u"%d.%d.%d.%d")),
                                          "User-Command: hold"};
  EXPECT_EQ(UserHeaders(server.Requests()[1]), expected);
}

}  // namespace
