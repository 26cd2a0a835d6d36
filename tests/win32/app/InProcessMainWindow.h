#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>

#include "ResourceModule.h"
#include "TestPaths.h"
#include "app/MainWindowSeams.h"
#include "appearance/QuiremoButtonStyles.h"
#include "i18n/Translation.h"
#include "i18n/TranslationModule.h"
#include "ui/SystemColors.h"

// The real main window in the test's own process: the exe's translation table, its colours
// and button styles, and this thread's messages run while a test waits.
class InProcessMainWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const TResourceModule exe(BesideThisTest(u"orvanta.exe"));
    StartTranslation(LoadTranslationTable(exe.Get()), u"en");
    UseWindowsSystemColors();
    RegisterQuiremoButtonStyles();
  }

  // Runs this thread's messages until the condition holds or the time is up.
  static bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
      MSG message{};
      while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
      }
      if (condition()) return true;
      if (std::chrono::steady_clock::now() >= deadline) return false;
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  // The window's seams for a test: the update check asks a loopback port where nothing
  // listens, so no test ever reaches the maker's service.
  static TMainWindowSeams OfflineSeams() {
    TMainWindowSeams seams;
    seams.UpdateUrl = u"http://127.0.0.1:9/api.init.php";
    return seams;
  }
  static void PumpFor(std::chrono::milliseconds time) {
    PumpUntil([] { return false; }, time);
  }
};
