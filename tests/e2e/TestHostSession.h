#pragma once

#include <windows.h>

#include <chrono>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "OrvantaProcess.h"

// One run of orvanta_test_host.exe: the program with its purge, memory figures, rules'
// clock and notices replaced as the settings ask, and the log in which it reports them.
class TTestHostSession {
 public:
  // Settings become ORVANTA_TEST_<NAME> variables of the started process.
  explicit TTestHostSession(std::initializer_list<std::pair<const std::string, std::string>> settings);
  ~TTestHostSession();

  // Starts the host with one argument and waits for its window (null if none came).
  HWND Start(const std::wstring& argument = L"");
  TOrvantaProcess& Process() { return *FProcess; }

  struct TEvent {
    double Seconds;    // the rules' clock, from start
    std::string What;  // "purge-begin", "purge-end" or "notification TITLE|TEXT"
  };
  std::vector<TEvent> Events() const;
  std::size_t Count(const std::string& what) const;
  bool WaitForCount(const std::string& what, std::size_t count, std::chrono::milliseconds limit) const;

 private:
  std::map<std::string, std::string> FSettings;
  std::string FLogPath;
  std::unique_ptr<TOrvantaProcess> FProcess;
};
