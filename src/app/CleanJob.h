#pragma once

#include <windows.h>

#include <memory>

#include "memory/MemoryApi.h"

// One clean: the record shared by the worker that purges and the completion step that
// the user-interface thread runs afterwards.
struct TCleanJob {
  bool Alarm = false;  // show the completion notice
};

// The message by which a worker hands its finished job to the window; lParam is the job.
UINT CleanDoneMessage();

// Starts a thread that purges through Api, then sends CleanDoneMessage to Window and waits
// until the window has handled it. The thread touches no window state and frees itself; a
// window that is gone by then simply never hears of the job. False if no thread could start.
bool StartCleanWorker(HWND window, std::shared_ptr<TCleanJob> job, const TMemoryApi& api);
