#include <cstdlib>
#include <string>

#include "JourneySteps.h"
#include "OrvantaProcess.h"
#include "TrayDriver.h"
#include "WindowDriver.h"
#include "app/MainWindowControls.h"

namespace {

// Run once per user language: ORVANTA_TEST_LANGUAGE says which one LC_ALL selected.
bool Korean() {
  const char* language = std::getenv("ORVANTA_TEST_LANGUAGE");
  return language != nullptr && std::string(language) == "ko";
}

const wchar_t* InLanguage(const wchar_t* english, const wchar_t* korean) {
  return Korean() ? korean : english;
}

TEST_F(Journey, FirstStartShowsTheHomePageInTheUsersLanguageAndTheTrayIcon) {
  TOrvantaProcess program = TOrvantaProcess::Start(L"");
  const HWND form = WaitForShownWindow(program);
  ASSERT_NE(form, nullptr) << "no window on the screen";
  EXPECT_EQ(WindowText(form), L"Orvanta");
  EXPECT_TRUE(WaitForChildText(form, InLanguage(L"Clean memory", L"정리하기"))) << "no clean button";
  EXPECT_TRUE(WaitForChildText(form, InLanguage(L"Physical", L"실제 메모리")));
  EXPECT_TRUE(WaitForTrayColour(TrayIdleBody)) << "no green icon in the tray";
  EXPECT_TRUE(SaveJourneyShot(ScreenRect(form), Korean() ? L"first-start-ko" : L"first-start-en"));

  // The header's second button leads to the settings, in the same language.
  ASSERT_TRUE(ClickControlOf(form, IdBtnConfig));
  EXPECT_TRUE(WaitForChildText(form, InLanguage(L"Memory", L"메모리 관리"))) << "the settings page did not open";
  EXPECT_TRUE(WaitForChildText(form, InLanguage(L"Run on system start", L"부팅시 실행하기")));
  EXPECT_TRUE(WaitForVisibility(::GetDlgItem(form, IdBtnClean), false)) << "the home page stayed";
}

}  // namespace
