// A long day in a few minutes: the real program through thousands of status ticks, hundreds
// of cleans, hide and show cycles, Explorer restarts and scale changes, in five equal rounds.
// What it holds after the first round is what it must hold after the last: a memory tool
// that grows while it runs is worse than none.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it relies on
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FreshProgramTest.h"
#include "LoopbackHttpServer.h"
#include "OrvantaProcess.h"
#include "TestHostSession.h"
#include "TrayDriver.h"
#include "WindowDriver.h"
#include "app/MainWindowControls.h"
#include "host/TestProbe.h"
#include "tray/TrayIcon.h"
#include "win32/UniqueHandle.h"

using namespace std::chrono_literals;

namespace {

constexpr int Rounds = 5;
struct TRound {
  int Ticks = 2000;
  int Cleans = 100;  // every fifth from the tray icon
  int HideShowCycles = 40;
  int ExplorerRestarts = 4;
  int ScaleChanges = 4;  // 144 and 96 in turn
};

// Private memory may step up once or twice as the heaps take another block; a leak grows in
// every round. Each round after the first holds 2,000 ticks, so even the smallest heap block
// (32 bytes) lost per tick comes to 64 KiB a round.
constexpr long RoundGrowthKiB = 16;
constexpr int RoundsAllowedToGrow = 2;
constexpr long TotalGrowthAllowanceKiB = 512;

struct TFootprint {
  long Handles = 0;
  long GdiObjects = 0;
  long ComObjects = 0;
  long Windows = 0;
  long RssAnonKiB = 0;
};

long CountWindowsOf(DWORD processId) {
  struct TCount {
    DWORD Process;
    long Windows;
  } count{processId, 0};
  const auto countOne = [](HWND window, LPARAM data) -> BOOL {
    auto* counted = reinterpret_cast<TCount*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != counted->Process) return TRUE;
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    if (std::wstring(name) == ProbeClassName) return TRUE;
    ++counted->Windows;
    return TRUE;
  };
  const auto countTree = [](HWND window, LPARAM data) -> BOOL {
    auto* counted = reinterpret_cast<TCount*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != counted->Process) return TRUE;
    const auto countChild = [](HWND, LPARAM childData) -> BOOL {
      ++reinterpret_cast<TCount*>(childData)->Windows;
      return TRUE;
    };
    ::EnumChildWindows(window, countChild, data);
    return TRUE;
  };
  ::EnumWindows(countOne, reinterpret_cast<LPARAM>(&count));
  ::EnumWindows(countTree, reinterpret_cast<LPARAM>(&count));
  // Message-only windows are not top-level windows to EnumWindows.
  HWND window = nullptr;
  while ((window = ::FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) != nullptr) {
    countOne(window, reinterpret_cast<LPARAM>(&count));
  }
  return count.Windows;
}

std::string ReadWholeFile(const std::wstring& path) {
  const TUniqueHandle file(
      ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file.Valid()) return {};
  std::string text(16384, '\0');
  DWORD read = 0;
  if (!::ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) read = 0;
  text.resize(read);
  return text;
}

// Linux's own account of the test host's private resident memory. Wine opens files in its
// server, so the host cannot read its own /proc/self; the test finds the host's Linux
// process by its command line instead (one instance runs at a time).
long HostRssAnonKiB() {
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW(L"Z:\\proc\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return -1;
  long kib = -1;
  do {
    const std::wstring pid = found.cFileName;
    if (pid.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
    if (ReadWholeFile(L"Z:\\proc\\" + pid + L"\\cmdline").find("orvanta_test_host.exe") == std::string::npos) continue;
    const std::string status = ReadWholeFile(L"Z:\\proc\\" + pid + L"\\status");
    const std::size_t field = status.find("RssAnon:");
    if (field != std::string::npos) kib = std::strtol(status.c_str() + field + 8, nullptr, 10);
    break;
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return kib;
}

std::string Describe(const TFootprint& footprint) {
  char text[160];
  std::snprintf(text, sizeof text, "handles %ld, GDI objects %ld, COM objects %ld, windows %ld, RssAnon %ld KiB",
                footprint.Handles, footprint.GdiObjects, footprint.ComObjects, footprint.Windows, footprint.RssAnonKiB);
  return text;
}

// Drives one running test host and reads what it holds through its probe window.
class TBatteryDriver {
 public:
  TBatteryDriver(TTestHostSession& host, HWND form) : FHost(host), FForm(form) {}

  bool Ready() {
    FClientWidthAtStart = ClientSize(FForm).cx;
    FDpiAtStart = ::GetDpiForWindow(FForm);
    if (!WaitUntil([&] { return (FProbe = ProbeWindow()) != nullptr; }, 5s)) return false;
    FStatusTimer = static_cast<WPARAM>(Query(ProbeStatusTimerId));
    return FStatusTimer != 0;
  }

  void RunRound(const TRound& round) {
    for (int tick = 0; tick < round.Ticks; ++tick) ASSERT_TRUE(SendWithTimeout(FForm, WM_TIMER, FStatusTimer, 0));
    for (int clean = 0; clean < round.Cleans; ++clean) Clean(clean % 5 == 4);
    for (int cycle = 0; cycle < round.HideShowCycles; ++cycle) HideAndShow();
    for (int restart = 0; restart < round.ExplorerRestarts; ++restart) RestartExplorer();
    for (int change = 0; change < round.ScaleChanges; ++change) ChangeScale(FScaleChanges++ % 2 == 0 ? 144 : 96);
  }

  // Read between rounds once the program is at rest: the last job has ended and the tray
  // icon's repaint after it, so three looks in a row agree.
  TFootprint Footprint() {
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(::GetDlgItem(FForm, IdBtnClean)) != FALSE; }, 5s));
    TFootprint last = Counts();
    int agreeing = 0;
    EXPECT_TRUE(WaitUntil(
        [&] {
          ::Sleep(100);
          const TFootprint now = Counts();
          agreeing = SameCounts(now, last) ? agreeing + 1 : 0;
          last = now;
          return agreeing >= 2;
        },
        10s))
        << "the counts never came to rest";
    last.RssAnonKiB = HostRssAnonKiB();
    return last;
  }

  std::size_t Cleans() const { return FCleans; }
  std::size_t TrayCleans() const { return FTrayCleans; }

 private:
  static HWND ProbeWindow() { return ::FindWindowExW(HWND_MESSAGE, nullptr, ProbeClassName, nullptr); }

  TFootprint Counts() {
    return {Query(ProbeHandles), Query(ProbeGdiObjects), Query(ProbeComObjects), CountWindowsOf(FHost.Process().Id()),
            0};
  }

  static bool SameCounts(const TFootprint& a, const TFootprint& b) {
    return a.Handles == b.Handles && a.GdiObjects == b.GdiObjects && a.ComObjects == b.ComObjects &&
           a.Windows == b.Windows;
  }

  long Query(TProbeQuery what) {
    LRESULT answer = -1;
    EXPECT_TRUE(SendWithTimeout(FProbe, ProbeQueryMessage, what, 0, &answer));
    return static_cast<long>(answer);
  }

  void Clean(bool fromTray) {
    if (fromTray) {
      ::PostMessageW(FForm, TTrayIcon::CallbackMessage, 0, MAKELPARAM(NIN_KEYSELECT, TTrayIcon::IconId));
      ++FTrayCleans;
    } else {
      ClickControl(FForm, IdBtnClean);
    }
    ++FCleans;
    ASSERT_TRUE(FHost.WaitForCount("purge-end", FCleans, 5s)) << "clean " << FCleans << " did not end";
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(::GetDlgItem(FForm, IdBtnClean)) != FALSE; }, 5s))
        << "the button did not come back after clean " << FCleans;
  }

  void HideAndShow() {
    ASSERT_TRUE(SendWithTimeout(FForm, WM_CLOSE, 0, 0));
    ASSERT_FALSE(::IsWindowVisible(FForm)) << "closing did not hide the window";
    ASSERT_TRUE(SendWithTimeout(FForm, WM_USER, 1, 0));
    ASSERT_TRUE(::IsWindowVisible(FForm)) << "the show command did not show the window";
  }

  // As Explorer's restart looks to a program: its icon is gone, then the new taskbar says so.
  void RestartExplorer() {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = FForm;
    data.uID = TTrayIcon::IconId;
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &data));
    static const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    ASSERT_TRUE(WaitUntil([&] { return ShellKnowsIcon(FForm, TTrayIcon::IconId); }, 5s))
        << "the icon did not come back after an Explorer restart";
  }

  void ChangeScale(UINT dpi) {
    LRESULT handled = 0;
    ASSERT_TRUE(SendWithTimeout(FProbe, ProbeDpiMessage, dpi, 0, &handled) && handled == 1);
    const SIZE client = ClientSize(FForm);
    ASSERT_EQ(client.cx, ::MulDiv(FClientWidthAtStart, static_cast<int>(dpi), static_cast<int>(FDpiAtStart)))
        << "the window did not take the scale " << dpi << " from the message";
  }

  TTestHostSession& FHost;
  HWND FForm;
  HWND FProbe = nullptr;
  WPARAM FStatusTimer = 0;
  int FClientWidthAtStart = 0;
  UINT FDpiAtStart = 96;
  int FScaleChanges = 0;
  std::size_t FCleans = 0;
  std::size_t FTrayCleans = 0;
};

struct TStoredValue {
  DWORD Type = REG_NONE;
  std::vector<unsigned char> Bytes;
  bool operator==(const TStoredValue&) const = default;
};

template <typename TData>
TStoredValue Value(DWORD type, const TData& data) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&data);
  return {type, std::vector<unsigned char>(bytes, bytes + sizeof(TData))};
}

void WriteSetting(const wchar_t* name, const TStoredValue& value) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Quiremo\\Orvanta", name, value.Type, value.Bytes.data(),
                    static_cast<DWORD>(value.Bytes.size()));
}

TStoredValue ReadSetting(const wchar_t* name) {
  TStoredValue value;
  DWORD size = 0;
  constexpr DWORD Flags = RRF_RT_ANY | RRF_NOEXPAND;
  if (::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Quiremo\\Orvanta", name, Flags, &value.Type, nullptr, &size) !=
      ERROR_SUCCESS)
    return {};
  value.Bytes.resize(size);
  ::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Quiremo\\Orvanta", name, Flags, &value.Type, value.Bytes.data(), &size);
  return value;
}

bool StoredAsTickedBox(const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof(value);
  return ::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Quiremo\\Orvanta", name, RRF_RT_REG_DWORD, nullptr, &value,
                        &size) == ERROR_SUCCESS &&
         value == 1;
}

class LongRun : public TFreshProgramTest {
 protected:
  // Runs the rounds against a started host and checks it ends where the first round left it.
  void RunBattery(TTestHostSession& host) {
    const HWND form = host.Start();
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(TickBox(form, IdChkCleanOnTray)) << "clean on tray click could not be turned on";
    ASSERT_TRUE(StoredAsTickedBox(L"cleanontray")) << "the ticked box was not stored as 1";
    ClickControl(form, IdBtnHome);

    TBatteryDriver driver(host, form);
    ASSERT_TRUE(driver.Ready()) << "the test host's probe or status timer did not turn up";
    std::vector<TFootprint> footprints;
    for (int round = 1; round <= Rounds; ++round) {
      driver.RunRound(TRound{});
      if (HasFatalFailure()) return;
      footprints.push_back(driver.Footprint());
      std::printf("after round %d: %s\n", round, Describe(footprints.back()).c_str());
    }

    const TFootprint& settled = footprints.front();
    const TFootprint& last = footprints.back();
    EXPECT_EQ(last.Handles, settled.Handles) << "handles grew";
    EXPECT_EQ(last.GdiObjects, settled.GdiObjects) << "GDI objects grew";
    EXPECT_EQ(last.ComObjects, settled.ComObjects) << "COM objects grew";
    EXPECT_EQ(last.Windows, settled.Windows) << "windows grew";
    int growingRounds = 0;
    for (std::size_t round = 1; round < footprints.size(); ++round) {
      if (footprints[round].RssAnonKiB - footprints[round - 1].RssAnonKiB > RoundGrowthKiB) ++growingRounds;
    }
    EXPECT_LE(growingRounds, RoundsAllowedToGrow) << "private memory grew round after round";
    EXPECT_LE(last.RssAnonKiB, settled.RssAnonKiB + TotalGrowthAllowanceKiB) << "private memory grew";
    EXPECT_GT(settled.RssAnonKiB, 0) << "the probe could not read the process's memory";

    EXPECT_EQ(host.Count("purge-begin"), driver.Cleans()) << "a clean was lost or ran twice";
    EXPECT_EQ(host.Count("notification"), driver.TrayCleans()) << "a tray clean's notice was lost";
    // And it still quits when asked.
    ASSERT_TRUE(SendWithTimeout(form, WM_USER, 2, 0));
    EXPECT_TRUE(host.Process().WaitForExit(10s)) << "the program did not quit after the run";
  }
};

TEST_F(LongRun, WhatTheProgramHoldsSettlesAfterTheFirstRound) {
  TTestHostSession host({{"UPDATE_PAUSE_MS", "50"}});
  RunBattery(host);
}

// Every stored value of another type than the program writes, or a number far out of range;
// and a web service that answers garbage, drops the connection, then trickles its answer.
TEST_F(LongRun, ADamagedSettingsKeyAndAMisbehavingServiceChangeNothing) {
  const std::pair<const wchar_t*, TStoredValue> damaged[] = {
      {L"enabled_usage_phys", Value(REG_SZ, L"garbage")},
      {L"enabled_usage_page", Value(REG_BINARY, "\xDE\xAD\xBE\xEF")},
      {L"enabled_usage_work", Value(REG_QWORD, 0xFFFFFFFFFFFFFFFFull)},
      {L"enabled_minute", Value(REG_MULTI_SZ, L"a\0b\0")},
      {L"limit_usage_phys", Value(REG_DWORD, 0x7FFFFFFFul)},
      {L"limit_usage_page", Value(REG_DWORD, 0x80000000ul)},
      {L"limit_usage_work", Value(REG_DWORD, 0xFFFFFFFFul)},
      {L"limit_minute", Value(REG_SZ, L"99999999999999999999")},
      {L"cleanontray", Value(REG_EXPAND_SZ, L"%garbage%")},  // the box the run ticks
  };
  for (const auto& [name, value] : damaged) WriteSetting(name, value);

  TLoopbackHttpServer::TReply garbage;
  garbage.Status = "\x01\xFF garbage \x7F";
  garbage.Body = std::string(4096, '\xFE');
  TLoopbackHttpServer::TReply reset;
  reset.ResetConnection = true;
  TLoopbackHttpServer::TReply trickle;
  trickle.Body = std::string(600, 'x');  // ten minutes at a byte a second: longer than the run
  trickle.TrickleMs = 1000;
  TLoopbackHttpServer service(TLoopbackHttpServer::TRepliesInTurn{{garbage, reset, trickle}});
  ASSERT_TRUE(service.Listening());
  const std::u16string url = service.Url();
  TTestHostSession host({{"UPDATE_URL", std::string(url.begin(), url.end())}, {"UPDATE_PAUSE_MS", "50"}});
  RunBattery(host);
  EXPECT_GE(service.Requests().size(), 3u) << "the check did not meet every misbehaviour";
  // What it could not read, it left alone: the values nobody changed are still there as they were.
  for (const auto& [name, value] : damaged) {
    if (std::wstring_view(name) == L"cleanontray") continue;
    EXPECT_EQ(ReadSetting(name), value) << "the stored value " << std::string(name, name + std::wcslen(name))
                                        << " was lost or rewritten";
  }
}

}  // namespace
