// orvanta_test_host: orvanta.exe with its platform seams replaced as the environment asks,
// so that end-to-end tests can slow the purge down, make it fail, fix the memory figures,
// speed the rules' clock up and read the completion notices.
//   ORVANTA_TEST_LOG=FILE          one line per event: purge-begin, purge-end, notification
//   ORVANTA_TEST_PURGE_MS=N        the purge blocks N ms before its first call
//   ORVANTA_TEST_PURGE_STATUS=HEX  every purge call answers this status
//   ORVANTA_TEST_USAGE=PERCENT     physical memory reads as this share of 16 GiB in use
//   ORVANTA_TEST_LOG_SAMPLES=1     one log line, memory-sample, each time memory is measured
//   ORVANTA_TEST_CLOCK_SPEED=N     the rules' clock runs N times faster than real time
//   ORVANTA_TEST_UPDATE_URL=URL    the web service to ask, such as a loopback server; without
//                                  it a loopback port where nothing listens, so that no test
//                                  run ever reaches the maker's service
//   ORVANTA_TEST_UPDATE_PAUSE_MS=N the pause between two attempts of the update check
// A probe window answers questions from within the process (TestProbe.h).
// Each log line carries the seconds of the rules' clock since start: "t=12.345 purge-begin".
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

#include "TestProbe.h"
#include "app/Program.h"
#include "memory/FileCacheInformation.h"
#include "memory/MemoryApi.h"
#include "update/UpdateCheck.h"

namespace {

using TClock = std::chrono::system_clock;

const auto RealStart = std::chrono::steady_clock::now();
const TClock::time_point ClockStart = TClock::now();
long long ClockSpeed = 1;
DWORD PurgeDelayMs = 0;
bool PurgeStatusSet = false;
LONG PurgeStatus = 0;
double UsagePercent = -1;
bool LogSamples = false;
std::string LogPath;
std::mutex LogLock;

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

TClock::time_point TestNow() {
  const auto real = std::chrono::steady_clock::now() - RealStart;
  return ClockStart + std::chrono::duration_cast<TClock::duration>(real * ClockSpeed);
}

void Log(const std::string& line) {
  if (LogPath.empty()) return;
  const std::lock_guard<std::mutex> hold(LogLock);
  const double seconds = std::chrono::duration<double>(TestNow() - ClockStart).count();
  if (FILE* file = std::fopen(LogPath.c_str(), "ab")) {
    std::fprintf(file, "t=%.3f %s\n", seconds, line.c_str());
    std::fclose(file);
  }
}

std::string Utf8(std::u16string_view text) {
  const std::wstring wide(text.begin(), text.end());
  const int length =
      ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), length, nullptr, nullptr);
  return bytes;
}

LONG NTAPI TestPurgeCall(ULONG infoClass, PVOID info, ULONG length) {
  if (infoClass == SystemFileCacheInformation) {
    Log("purge-begin");
    if (PurgeDelayMs > 0) ::Sleep(PurgeDelayMs);
  }
  const LONG status = PurgeStatusSet ? PurgeStatus : SystemMemoryApi().NtSetSystemInformation(infoClass, info, length);
  if (infoClass == SystemCombinePhysicalMemoryInformation) Log("purge-end");
  return status;
}

BOOL WINAPI TestMemoryStatus(LPMEMORYSTATUSEX status) {
  if (LogSamples) Log("memory-sample");
  const BOOL answered = ::GlobalMemoryStatusEx(status);
  if (UsagePercent < 0) return answered;
  constexpr DWORDLONG Total = 16ull << 30;
  status->ullTotalPhys = Total;
  status->ullAvailPhys = static_cast<DWORDLONG>(static_cast<double>(Total) * (100.0 - UsagePercent) / 100.0);
  return TRUE;
}

void TestNotification(std::u16string_view title, std::u16string_view text) {
  Log("notification " + Utf8(title) + "|" + Utf8(text));
}

TMemoryApi TestMemoryApi() {
  TMemoryApi api = SystemMemoryApi();
  api.NtSetSystemInformation = &TestPurgeCall;
  api.GlobalMemoryStatusEx = &TestMemoryStatus;
  return api;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  LogPath = Environment("ORVANTA_TEST_LOG");
  PurgeDelayMs = static_cast<DWORD>(std::strtoul(Environment("ORVANTA_TEST_PURGE_MS").c_str(), nullptr, 10));
  if (const std::string status = Environment("ORVANTA_TEST_PURGE_STATUS"); !status.empty()) {
    PurgeStatusSet = true;
    PurgeStatus = static_cast<LONG>(std::strtoul(status.c_str(), nullptr, 16));
  }
  LogSamples = Environment("ORVANTA_TEST_LOG_SAMPLES") == "1";
  if (const std::string usage = Environment("ORVANTA_TEST_USAGE"); !usage.empty())
    UsagePercent = std::atof(usage.c_str());
  if (const std::string speed = Environment("ORVANTA_TEST_CLOCK_SPEED"); !speed.empty()) {
    ClockSpeed = std::max(1ll, std::atoll(speed.c_str()));
  }

  if (const std::string pause = Environment("ORVANTA_TEST_UPDATE_PAUSE_MS"); !pause.empty()) {
    TUpdateCheckSeams& check = UpdateCheckSeams();
    check.PauseSteps = std::max(1, std::atoi(pause.c_str()) / static_cast<int>(check.StepMs));
  }
  StartTestProbe();

  static const TMemoryApi memory = TestMemoryApi();
  TMainWindowSeams seams;
  seams.Memory = &memory;
  seams.Now = &TestNow;
  seams.ShowNotification = &TestNotification;
  static const std::string named = Environment("ORVANTA_TEST_UPDATE_URL");
  static const std::string updateUrl = named.empty() ? "http://127.0.0.1:9/api.init.php" : named;
  static const std::u16string updateAddress(updateUrl.begin(), updateUrl.end());
  seams.UpdateUrl = updateAddress.c_str();
  RunProgram(seams);
}
