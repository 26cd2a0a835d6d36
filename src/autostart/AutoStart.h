#pragma once

#include <objbase.h>
#include <windows.h>

#include <string>

struct ITaskService;

// Name of the elevated logon task that starts the program hidden at logon.
inline constexpr wchar_t AutoStartTaskName[] = L"OrvantaTaskMachine";

// What the logon-task operations reach outside the program. Tests pass a table of their own
// to record what would be sent to the scheduler; the program uses SystemTaskSchedulerApi().
struct TTaskSchedulerApi {
  decltype(&::CoInitializeSecurity) CoInitializeSecurity;
  HRESULT (*CreateTaskService)(ITaskService** service);
  std::wstring (*ExecutablePath)();
  bool (*ExecutableIsProtected)(const std::wstring& exePath);
};

// The real calls: COM's security setting, the scheduler's factory, the running exe's path
// and the check of its file permissions.
const TTaskSchedulerApi& SystemTaskSchedulerApi();

// True when the task scheduler's root folder holds a visible task named exactly taskName;
// false otherwise and on any failure. The caller has initialised COM on its thread.
bool IsAutoStart(const std::wstring& taskName);
bool IsAutoStart(const TTaskSchedulerApi& api, const std::wstring& taskName);

// Registers the logon task (enable) with an optional logon delay, or deletes it. The task is
// registered or refreshed only while no one but the administrators can replace the exe;
// otherwise it is left as it is. Failures are silent. The caller has initialised COM on its
// thread.
void SetAutoStart(const std::wstring& taskName, bool enable, int delaySeconds);
void SetAutoStart(const TTaskSchedulerApi& api, const std::wstring& taskName, bool enable, int delaySeconds);
