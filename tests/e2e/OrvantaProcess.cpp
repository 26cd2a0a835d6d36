#include "OrvantaProcess.h"

#include <shellapi.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <utility>

#include "TestPaths.h"

namespace {

constexpr wchar_t InstanceClass[] = L"TFrmOrvanta";
constexpr UINT TrayIconId = 1;

std::vector<HWND> InstanceWindowsOf(DWORD processId) {
  std::vector<HWND> owned;
  for (HWND window : InstanceWindows()) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == processId) owned.push_back(window);
  }
  return owned;
}

// A process that is ended from outside cannot take its icon out of the notification area,
// and a left-over icon would stand beside the next test's. The shell knows icons by window
// and number, which outlive the window.
void RemoveTrayIconsOf(const std::vector<HWND>& windows) {
  for (HWND window : windows) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = TrayIconId;
    ::Shell_NotifyIconW(NIM_DELETE, &data);
  }
}

}  // namespace

TOrvantaProcess TOrvantaProcess::Start(const std::wstring& argument, bool suspended, const std::wstring& exeName) {
  const std::u16string path = BesideThisTest(std::u16string(exeName.begin(), exeName.end()));
  std::wstring commandLine = L"\"" + std::wstring(path.begin(), path.end()) + L"\"";
  if (!argument.empty()) commandLine += L" " + argument;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, suspended ? CREATE_SUSPENDED : 0, nullptr,
                        nullptr, &startup, &info)) {
    throw std::runtime_error("the program under test could not be started: error " + std::to_string(::GetLastError()));
  }
  return TOrvantaProcess(info.hProcess, info.hThread, info.dwProcessId);
}

TOrvantaProcess::TOrvantaProcess(TOrvantaProcess&& other) noexcept
    : FProcess(std::exchange(other.FProcess, nullptr)),
      FThread(std::exchange(other.FThread, nullptr)),
      FId(other.FId) {}

TOrvantaProcess::~TOrvantaProcess() {
  if (FProcess != nullptr) {
    if (Running()) {
      const std::vector<HWND> windows = InstanceWindowsOf(FId);
      ::TerminateProcess(FProcess, 99);
      ::WaitForSingleObject(FProcess, 5000);
      RemoveTrayIconsOf(windows);
    }
    ::CloseHandle(FProcess);
  }
  if (FThread != nullptr) ::CloseHandle(FThread);
}

void TOrvantaProcess::Resume() {
  ::ResumeThread(FThread);
}

bool TOrvantaProcess::WaitForExit(std::chrono::milliseconds limit) {
  return ::WaitForSingleObject(FProcess, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

bool TOrvantaProcess::Running() const {
  return ::WaitForSingleObject(FProcess, 0) == WAIT_TIMEOUT;
}

DWORD TOrvantaProcess::ExitCode() const {
  DWORD code = 0;
  ::GetExitCodeProcess(FProcess, &code);
  return code;
}

std::chrono::milliseconds TOrvantaProcess::Lifetime() const {
  FILETIME created{}, exited{}, kernel{}, user{};
  ::GetProcessTimes(FProcess, &created, &exited, &kernel, &user);
  const auto ticks = [](const FILETIME& t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return std::chrono::milliseconds((ticks(exited) - ticks(created)) / 10000);
}

HWND TOrvantaProcess::WaitForInstanceWindow(std::chrono::milliseconds limit) {
  // Idle means the creation step is over and the message loop runs.
  if (::WaitForInputIdle(FProcess, static_cast<DWORD>(limit.count())) != 0) return nullptr;
  HWND found = nullptr;
  WaitUntil(
      [&] {
        const std::vector<HWND> owned = InstanceWindowsOf(FId);
        found = owned.empty() ? nullptr : owned.back();
        return found != nullptr;
      },
      limit);
  return found;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

std::vector<HWND> InstanceWindows() {
  std::vector<HWND> windows;
  ::EnumWindows(
      [](HWND window, LPARAM found) -> BOOL {
        wchar_t className[64] = {};
        ::GetClassNameW(window, className, 64);
        if (std::wstring(className) == InstanceClass) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool InstanceMutexExists() {
  HANDLE mutex = ::OpenMutexW(SYNCHRONIZE, FALSE, InstanceClass);
  if (mutex == nullptr) return false;
  ::CloseHandle(mutex);
  return true;
}

void EndAnyInstance() {
  const std::vector<HWND> windows = InstanceWindows();
  for (HWND window : windows) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, owner)) {
      ::TerminateProcess(process, 98);
      ::WaitForSingleObject(process, 5000);
      ::CloseHandle(process);
    }
  }
  RemoveTrayIconsOf(windows);
  WaitUntil([] { return !InstanceMutexExists(); }, std::chrono::seconds(5));
}

bool SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  DWORD_PTR answer = 0;
  const bool delivered = ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &answer) != 0;
  if (result != nullptr) *result = static_cast<LRESULT>(answer);
  return delivered;
}

void ForgetSettings() {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quiremo\\Orvanta");
}
