#pragma once

#include <string>

// Name of the elevated logon task that starts the program hidden at logon.
inline constexpr wchar_t AutoStartTaskName[] = L"OrvantaTaskMachine";

// True when the task scheduler's root folder holds a task named exactly taskName.
bool IsAutoStart(const std::wstring& taskName);

// Registers the logon task (enable) with an optional logon delay, or deletes it.
// Failures are silent. The caller has initialised COM on its thread.
void SetAutoStart(const std::wstring& taskName, bool enable, int delaySeconds);
