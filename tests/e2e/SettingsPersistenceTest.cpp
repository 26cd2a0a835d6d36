#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>

#include "FreshProgramTest.h"
#include "OrvantaProcess.h"
#include "WindowDriver.h"
#include "app/CommandLine.h"
#include "app/MainWindowControls.h"

using namespace std::chrono_literals;

namespace {

// What Wine's own reg.exe prints for one value of the settings key.
std::string RegQuery(const wchar_t* valueName) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return {};
  ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION info{};
  std::wstring command = L"reg.exe query HKCU\\Software\\Quiremo\\Orvanta /v " + std::wstring(valueName);
  const bool started = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                        nullptr, &startup, &info) != FALSE;
  ::CloseHandle(writeEnd);
  std::string output;
  if (started) {
    char buffer[512];
    DWORD read = 0;
    while (::ReadFile(readEnd, buffer, sizeof(buffer), &read, nullptr) && read > 0) output.append(buffer, read);
    ::WaitForSingleObject(info.hProcess, 5000);
    ::CloseHandle(info.hProcess);
    ::CloseHandle(info.hThread);
  }
  ::CloseHandle(readEnd);
  return output;
}

bool Checked(HWND form, int id) {
  LRESULT state = 0;
  return SendWithTimeout(::GetDlgItem(form, id), BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
}

class SettingsPersistence : public TFreshProgramTest {};

TEST_F(SettingsPersistence, ARuleTurnedOnIsStoredAndStillOnAfterARestart) {
  {
    TOrvantaProcess first = TOrvantaProcess::Start(L"");
    const HWND form = first.WaitForInstanceWindow();
    ASSERT_NE(form, nullptr);
    ClickControl(form, IdBtnConfig);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(::GetDlgItem(form, IdChkUsagePhys)) != FALSE; }, 5s));
    ClickControl(form, IdChkUsagePhys);
    ASSERT_TRUE(WaitUntil([&] { return Checked(form, IdChkUsagePhys); }, 5s));
    SendWithTimeout(form, WM_USER, CommandQuit, 0);
    ASSERT_TRUE(first.WaitForExit(5s));
  }
  const std::string stored = RegQuery(L"enabled_usage_phys");
  EXPECT_NE(stored.find("REG_DWORD"), std::string::npos) << stored;
  EXPECT_NE(stored.find("0x1"), std::string::npos) << stored;

  TOrvantaProcess second = TOrvantaProcess::Start(L"");
  const HWND form = second.WaitForInstanceWindow();
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(Checked(form, IdChkUsagePhys));
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(form, IdEditUsagePhys)));
  EXPECT_FALSE(Checked(form, IdChkUsagePage));
}

}  // namespace
