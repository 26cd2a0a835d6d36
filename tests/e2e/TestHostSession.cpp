#include "TestHostSession.h"

#include <cstdio>
#include <fstream>
#include <sstream>

TTestHostSession::TTestHostSession(std::initializer_list<std::pair<const std::string, std::string>> settings)
    : FSettings(settings) {
  char folder[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, folder);
  char path[MAX_PATH] = {};
  ::GetTempFileNameA(folder, "orv", 0, path);
  FLogPath = path;
  FSettings["LOG"] = FLogPath;
}

TTestHostSession::~TTestHostSession() {
  FProcess.reset();
  for (const auto& [name, value] : FSettings) ::SetEnvironmentVariableA(("ORVANTA_TEST_" + name).c_str(), nullptr);
  ::DeleteFileA(FLogPath.c_str());
}

HWND TTestHostSession::Start(const std::wstring& argument) {
  // The started process inherits these; the destructor takes them away again.
  for (const auto& [name, value] : FSettings) {
    ::SetEnvironmentVariableA(("ORVANTA_TEST_" + name).c_str(), value.c_str());
  }
  FProcess = std::make_unique<TOrvantaProcess>(TOrvantaProcess::Start(argument, false, L"orvanta_test_host.exe"));
  return FProcess->WaitForInstanceWindow();
}

std::vector<TTestHostSession::TEvent> TTestHostSession::Events() const {
  std::vector<TEvent> events;
  std::ifstream log(FLogPath, std::ios::binary);
  std::string line;
  while (std::getline(log, line)) {
    double seconds = 0;
    int consumed = 0;
    if (std::sscanf(line.c_str(), "t=%lf %n", &seconds, &consumed) < 1) continue;
    events.push_back({seconds, line.substr(static_cast<std::size_t>(consumed))});
  }
  return events;
}

std::size_t TTestHostSession::Count(const std::string& what) const {
  std::size_t count = 0;
  for (const TEvent& event : Events()) {
    if (event.What.rfind(what, 0) == 0) ++count;
  }
  return count;
}

bool TTestHostSession::WaitForCount(const std::string& what, std::size_t count, std::chrono::milliseconds limit) const {
  return WaitUntil([&] { return Count(what) >= count; }, limit);
}
