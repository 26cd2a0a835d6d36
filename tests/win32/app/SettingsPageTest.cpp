#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "InProcessMainWindow.h"
#include "ScreenInput.h"
#include "app/MainWindow.h"
#include "app/MainWindowControls.h"

using namespace std::chrono_literals;

namespace {

constexpr wchar_t Key[] = L"Software\\Quiremo\\Orvanta";

// A value as it stands in the registry: its type and raw bytes.
struct TStored {
  DWORD Type = REG_NONE;
  std::vector<BYTE> Data;
};

std::optional<TStored> Stored(const wchar_t* name) {
  TStored stored;
  DWORD size = 0;
  if (::RegGetValueW(HKEY_CURRENT_USER, Key, name, RRF_RT_ANY, &stored.Type, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  stored.Data.resize(size);
  ::RegGetValueW(HKEY_CURRENT_USER, Key, name, RRF_RT_ANY, nullptr, stored.Data.data(), &size);
  return stored;
}

TStored Dword(DWORD value) {
  TStored stored{REG_DWORD, std::vector<BYTE>(4)};
  std::memcpy(stored.Data.data(), &value, 4);
  return stored;
}

void Seed(const wchar_t* name, const TStored& value) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, Key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ::RegSetValueExW(key, name, 0, value.Type, value.Data.data(), static_cast<DWORD>(value.Data.size()));
  ::RegCloseKey(key);
}

DWORD ValueCount() {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, Key, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  DWORD count = 0;
  ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                     nullptr);
  ::RegCloseKey(key);
  return count;
}

bool KeyExists() {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, Key, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

// The rules' clock, moved by the tests.
std::chrono::system_clock::time_point TestTime = std::chrono::system_clock::time_point(std::chrono::hours(1000));
std::chrono::system_clock::time_point TestNow() {
  return TestTime;
}

// What the page shows of one rule.
struct TRuleView {
  bool Checked;
  bool ListEnabled;
  int Selection;  // -1: none
};

class SettingsPage : public InProcessMainWindow {
 protected:
  void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, Key); }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, Key); }

  void Open() {
    TMainWindowSeams seams = OfflineSeams();
    seams.Now = &TestNow;
    FForm = std::make_unique<TFrmOrvanta>(TStartMode::Normal, seams);
    ASSERT_TRUE(FForm->Create());
  }

  HWND Control(int id) const { return ::GetDlgItem(FForm->Handle(), id); }
  TRuleView Rule(int boxId, int listId) const {
    return {::SendMessageW(Control(boxId), BM_GETCHECK, 0, 0) == BST_CHECKED, ::IsWindowEnabled(Control(listId)) != 0,
            static_cast<int>(::SendMessageW(Control(listId), CB_GETCURSEL, 0, 0))};
  }

  // Real input, as a user gives it: the window in front, a click in the middle of a control.
  void ShowSettingsPage() {
    FForm->ShowFirstTime();
    // The window takes input once it is on screen and in front.
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == FForm->Handle(); }, 5s)) << "not in front";
    // The page switch itself is not under test here: it is pressed by messages.
    const HWND config = Control(IdBtnConfig);
    ::SendMessageW(config, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(config, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(Control(IdGroupBox1)) != FALSE; }, 5s));
  }
  void ClickAt(int id) {
    RECT bounds{};
    ::GetWindowRect(Control(id), &bounds);
    ClickScreenAt({(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2});
    PumpFor(200ms);
  }
  void TypeKey(WORD key) {
    INPUT inputs[2]{};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = key;
    inputs[1].type = INPUT_KEYBOARD;
    inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    PumpFor(200ms);
  }

  std::unique_ptr<TFrmOrvanta> FForm;
};

TEST_F(SettingsPage, AFirstStartCreatesTheKeyEmptyAndShowsTheDefaults) {
  Open();
  EXPECT_TRUE(KeyExists());
  EXPECT_EQ(ValueCount(), 0u) << "nothing is written on a first start";
  for (auto [box, list, selection] :
       {std::tuple{IdChkUsagePhys, IdEditUsagePhys, 6}, std::tuple{IdChkUsagePage, IdEditUsagePage, 6},
        std::tuple{IdChkUsageWork, IdEditUsageWork, 6}, std::tuple{IdChkMinute, IdEditMinute, 3}}) {
    const TRuleView view = Rule(box, list);
    EXPECT_FALSE(view.Checked) << box;
    EXPECT_FALSE(view.ListEnabled) << list;
    EXPECT_EQ(view.Selection, selection) << list;
  }
  EXPECT_EQ(::SendMessageW(Control(IdChkCleanOnTray), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(::SendMessageW(Control(IdChkAutoStart), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

struct TLoadCase {
  const char* Name;
  std::vector<std::pair<const wchar_t*, TStored>> Seeded;
  int BoxId;
  int ListId;
  TRuleView Expected;
  // Values that must stand afterwards exactly as given (type and bytes).
  std::vector<std::pair<const wchar_t*, TStored>> After;
};

TStored Text(const wchar_t* text) {
  const std::wstring value(text);
  const auto* bytes = reinterpret_cast<const BYTE*>(value.c_str());
  return {REG_SZ, std::vector<BYTE>(bytes, bytes + (value.size() + 1) * sizeof(wchar_t))};
}
TStored Qword(unsigned long long value) {
  TStored stored{REG_QWORD, std::vector<BYTE>(8)};
  std::memcpy(stored.Data.data(), &value, 8);
  return stored;
}
TStored Binary(std::vector<BYTE> bytes) {
  return {REG_BINARY, std::move(bytes)};
}

std::vector<TLoadCase> LoadCases() {
  return {
      {"IndexNineLeavesNoSelection",
       {{L"enabled_usage_phys", Dword(1)}, {L"limit_usage_phys", Dword(9)}},
       IdChkUsagePhys,
       IdEditUsagePhys,
       {true, true, -1},
       {{L"enabled_usage_phys", Dword(1)}, {L"limit_usage_phys", Dword(9)}}},
      {"IndexMinusOneLeavesNoSelection",
       {{L"limit_usage_phys", Dword(0xFFFFFFFF)}},
       IdChkUsagePhys,
       IdEditUsagePhys,
       {false, false, -1},
       {{L"limit_usage_phys", Dword(0xFFFFFFFF)}}},
      {"AnyNonZeroFlagIsOnAndRewrittenAsOne",
       {{L"enabled_usage_page", Dword(5)}},
       IdChkUsagePage,
       IdEditUsagePage,
       {true, true, 6},
       {{L"enabled_usage_page", Dword(1)}}},
      {"IntervalOffAtIndexZero",
       {{L"enabled_minute", Dword(0)}, {L"limit_minute", Dword(0)}},
       IdChkMinute,
       IdEditMinute,
       {false, false, 0},
       {{L"enabled_minute", Dword(0)}, {L"limit_minute", Dword(0)}}},
      // Values of another type count as absent and are left alone; loading goes on to the
      // values after them (cleanontray is read late).
      {"TextWhereANumberBelongs",
       {{L"limit_usage_work", Text(L"4")}, {L"cleanontray", Dword(1)}},
       IdChkUsageWork,
       IdEditUsageWork,
       {false, false, 6},
       {{L"limit_usage_work", Text(L"4")}, {L"cleanontray", Dword(1)}}},
      {"QwordFlag",
       {{L"enabled_usage_phys", Qword(1)}, {L"cleanontray", Dword(1)}},
       IdChkUsagePhys,
       IdEditUsagePhys,
       {false, false, 6},
       {{L"enabled_usage_phys", Qword(1)}}},
      {"FourByteBinaryFlag",
       {{L"enabled_minute", Binary({1, 0, 0, 0})}, {L"cleanontray", Dword(1)}},
       IdChkMinute,
       IdEditMinute,
       {false, false, 3},
       {{L"enabled_minute", Binary({1, 0, 0, 0})}}},
  };
}

TEST_F(SettingsPage, StoredStatesLoadAsTheyShould) {
  for (const TLoadCase& loadCase : LoadCases()) {
    SCOPED_TRACE(loadCase.Name);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, Key);
    for (const auto& [name, value] : loadCase.Seeded) Seed(name, value);
    Open();
    const TRuleView view = Rule(loadCase.BoxId, loadCase.ListId);
    EXPECT_EQ(view.Checked, loadCase.Expected.Checked);
    EXPECT_EQ(view.ListEnabled, loadCase.Expected.ListEnabled);
    EXPECT_EQ(view.Selection, loadCase.Expected.Selection);
    for (const auto& [name, value] : loadCase.After) {
      const std::optional<TStored> stored = Stored(name);
      ASSERT_TRUE(stored.has_value()) << "missing afterwards";
      EXPECT_EQ(stored->Type, value.Type);
      EXPECT_EQ(stored->Data, value.Data);
    }
    FForm.reset();
  }
}

TEST_F(SettingsPage, AStoredCleanOnTrayIsCheckedAndWrittenAgain) {
  Seed(L"cleanontray", Dword(7));
  Open();
  EXPECT_EQ(::SendMessageW(Control(IdChkCleanOnTray), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(Stored(L"cleanontray")->Data, Dword(1).Data);
}

TEST_F(SettingsPage, PickingAnItemSavesItsIndexAndResetsTheInterval) {
  Seed(L"enabled_usage_work", Dword(1));
  Open();
  ShowSettingsPage();
  const auto before = FForm->NextTime();
  TestTime += std::chrono::seconds(1000);
  ClickAt(IdEditUsageWork);  // opens the list
  TypeKey('7');
  TypeKey(VK_RETURN);
  ASSERT_TRUE(PumpUntil([] { return Stored(L"limit_usage_work").has_value(); }, 5s)) << "nothing was written";
  EXPECT_EQ(Stored(L"limit_usage_work")->Data, Dword(4).Data);
  EXPECT_EQ(Rule(IdChkUsageWork, IdEditUsageWork).Selection, 4);
  EXPECT_EQ(FForm->NextTime(), TestTime);
  EXPECT_NE(FForm->NextTime(), before);
}

TEST_F(SettingsPage, ClickingCleanOnTraySavesItAndLeavesTheInterval) {
  Open();
  ShowSettingsPage();
  TestTime += std::chrono::seconds(1000);
  const auto before = FForm->NextTime();
  ClickAt(IdChkCleanOnTray);
  ASSERT_TRUE(PumpUntil([] { return Stored(L"cleanontray").has_value(); }, 5s)) << "nothing was written";
  EXPECT_EQ(Stored(L"cleanontray")->Data, Dword(1).Data);
  EXPECT_EQ(FForm->NextTime(), before);
}

TEST_F(SettingsPage, ARuleBoxEnablesItsListAndADisabledListTakesNoPick) {
  Open();
  ShowSettingsPage();
  ClickAt(IdEditUsagePhys);
  TypeKey('7');
  TypeKey(VK_RETURN);
  EXPECT_FALSE(Stored(L"limit_usage_phys").has_value()) << "a disabled list was changed";
  EXPECT_EQ(Rule(IdChkUsagePhys, IdEditUsagePhys).Selection, 6);

  TestTime += std::chrono::seconds(1000);
  ClickAt(IdChkUsagePhys);
  ASSERT_TRUE(PumpUntil([] { return Stored(L"enabled_usage_phys").has_value(); }, 5s));
  EXPECT_EQ(Stored(L"enabled_usage_phys")->Data, Dword(1).Data);
  EXPECT_TRUE(Rule(IdChkUsagePhys, IdEditUsagePhys).ListEnabled);
  EXPECT_EQ(FForm->NextTime(), TestTime);
}

}  // namespace
