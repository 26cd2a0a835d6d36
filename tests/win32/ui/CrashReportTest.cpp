#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it relies on
#include <commctrl.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>

#include "TestForm.h"
#include "ui/CrashReport.h"

namespace {

struct TRecordedReports {
  static inline int Count = 0;
  static inline TErrorReport Last;
  static TReportChoice Record(HWND, const TErrorReport& report) {
    ++Count;
    Last = report;
    return TReportChoice::Continue;
  }
};

class CrashReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TRecordedReports::Count = 0;
    ASSERT_TRUE(FForm.CreateWindowAndControls());
    FForm.OnMessage = [](TMessage& message) {
      if (message.Msg == WM_APP) throw std::runtime_error("tick failed");
      if (message.Msg == WM_APP + 1) {
        message.Result = 42;
        return true;
      }
      return false;
    };
  }
  void TearDown() override { SetErrorReporter(nullptr); }

  TTestForm FForm;
};

TEST_F(CrashReportTest, ErrorInAHandlerIsReportedAndTheWindowGoesOn) {
  SetErrorReporter(&TRecordedReports::Record);
  EXPECT_EQ(::SendMessageW(FForm.Handle(), WM_APP, 0, 0), 0);
  ASSERT_EQ(TRecordedReports::Count, 1);
  EXPECT_NE(TRecordedReports::Last.Details.find(L"tick failed"), std::wstring::npos);
  EXPECT_TRUE(TRecordedReports::Last.CanContinue);
  // The window still handles its messages.
  EXPECT_EQ(::SendMessageW(FForm.Handle(), WM_APP + 1, 0, 0), 42);
  EXPECT_TRUE(::IsWindow(FForm.Handle()));
}

TEST_F(CrashReportTest, CrashOutsideCppIsReportedWithoutContinue) {
  SetErrorReporter(&TRecordedReports::Record);
  EXCEPTION_RECORD record{};
  record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
  EXCEPTION_POINTERS pointers{&record, nullptr};
  EXPECT_EQ(ReportUnhandledException(&pointers), EXCEPTION_EXECUTE_HANDLER);
  ASSERT_EQ(TRecordedReports::Count, 1);
  EXPECT_FALSE(TRecordedReports::Last.CanContinue);
  EXPECT_NE(TRecordedReports::Last.Details.find(L"0xC0000005"), std::wstring::npos);
}

// Presses a button of the report dialog once it shows, from another thread.
void PressReportButton(int buttonId, std::atomic<bool>& pressed) {
  for (int attempt = 0; attempt < 200 && !pressed; ++attempt) {
    if (HWND dialog = ::FindWindowW(L"#32770", L"Orvanta error report")) {
      ::PostMessageW(dialog, TDM_CLICK_BUTTON, static_cast<WPARAM>(buttonId), 0);
      pressed = true;
      return;
    }
    ::Sleep(25);
  }
}

TEST_F(CrashReportTest, ReportDialogShowsAndReturnsTheButtonPressed) {
  // Continue keeps the program running; Quit asks to end it.
  for (const auto& [button, expected] :
       {std::pair{100, TReportChoice::Continue}, std::pair{101, TReportChoice::Quit}}) {
    std::atomic<bool> pressed = false;
    std::thread driver(PressReportButton, button, std::ref(pressed));
    const TReportChoice choice =
        ShowErrorReportDialog(FForm.Handle(), {L"Orvanta ran into an error: a test", L"details", true});
    driver.join();
    EXPECT_TRUE(pressed) << button;
    EXPECT_EQ(choice, expected) << button;
  }
}

}  // namespace
