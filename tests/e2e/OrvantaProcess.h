#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// Drives real orvanta.exe processes from a test: starts them, finds the instance's
// window and waits for states with time limits instead of fixed sleeps.
class TOrvantaProcess {
 public:
  // Starts the program from this test's own folder with one argument (none when empty):
  // by default the test host, which is orvanta.exe with its update check aimed at a
  // loopback port, so that no test run reaches the maker's service.
  // A suspended process starts running on Resume(). It inherits this process's Unix
  // LC_ALL, from which Wine takes the user's language.
  static TOrvantaProcess Start(const std::wstring& argument, bool suspended = false,
                               const std::wstring& exeName = L"orvanta_test_host.exe");

  TOrvantaProcess(TOrvantaProcess&& other) noexcept;
  TOrvantaProcess& operator=(TOrvantaProcess&&) = delete;
  TOrvantaProcess(const TOrvantaProcess&) = delete;
  ~TOrvantaProcess();  // a process still running is terminated

  void Resume();
  bool WaitForExit(std::chrono::milliseconds limit);
  bool Running() const;
  DWORD ExitCode() const;
  DWORD Id() const { return FId; }
  // From its creation to its exit, as the system recorded them.
  std::chrono::milliseconds Lifetime() const;
  // The instance's main window once the process waits for input; null if none in time.
  HWND WaitForInstanceWindow(std::chrono::milliseconds limit = std::chrono::seconds(15));

 private:
  TOrvantaProcess(HANDLE process, HANDLE thread, DWORD id) : FProcess(process), FThread(thread), FId(id) {}
  HANDLE FProcess = nullptr;
  HANDLE FThread = nullptr;
  DWORD FId = 0;
};

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit);

// Every top-level window of the instance class, hidden ones included.
std::vector<HWND> InstanceWindows();

// Ends any instance left by an earlier test and waits until its mutex is gone.
void EndAnyInstance();

// Removes the program's stored settings, so that a test starts as on a new machine.
void ForgetSettings();

bool InstanceMutexExists();

// Sends a message the way a test driver must: never blocks on a hung receiver.
bool SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr);
