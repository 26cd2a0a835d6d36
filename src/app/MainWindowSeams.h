#pragma once

#include <chrono>
#include <string_view>

#include "memory/MemoryApi.h"

struct TTaskSchedulerApi;

// The platform calls of the main window that tests replace: the memory engine (sampler
// and purge), the clock of the cleaning rules, the completion notice and the scheduler of
// the logon task. Whatever a
// worker thread reaches through here must live as long as the process.
struct TMainWindowSeams {
  const TMemoryApi* Memory = nullptr;                        // null: the system's
  std::chrono::system_clock::time_point (*Now)() = nullptr;  // null: the system clock
  // null: a Windows toast of the application
  void (*ShowNotification)(std::u16string_view title, std::u16string_view text) = nullptr;
  const TTaskSchedulerApi* Scheduler = nullptr;  // null: the system's Task Scheduler
  const char16_t* UpdateUrl = nullptr;           // null: the service the build names
};
