#include "app/CleanJob.h"

#include "memory/MemoryPurge.h"

namespace {

struct TWorkerStart {
  HWND Window;
  std::shared_ptr<TCleanJob> Job;
  const TMemoryApi* Api;
};

DWORD WINAPI CleanWorker(void* parameter) {
  const std::unique_ptr<TWorkerStart> start(static_cast<TWorkerStart*>(parameter));
  try {
    CleanMemory(*start->Api);
  } catch (...) {
    // A failed purge is as silent as the purge itself; the window is told the job ended.
  }
  // Synchronous: the job record stays alive here until the window has read it.
  ::SendMessageW(start->Window, CleanDoneMessage(), 0, reinterpret_cast<LPARAM>(start->Job.get()));
  return 0;
}

}  // namespace

UINT CleanDoneMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"Orvanta.CleanDone");
  return message;
}

bool StartCleanWorker(HWND window, std::shared_ptr<TCleanJob> job, const TMemoryApi& api) {
  auto start = std::make_unique<TWorkerStart>(TWorkerStart{window, std::move(job), &api});
  const HANDLE thread = ::CreateThread(nullptr, 0, &CleanWorker, start.get(), 0, nullptr);
  if (thread == nullptr) return false;
  start.release();  // the thread owns it now
  // Nothing ever waits for the worker: it ends and frees itself.
  ::CloseHandle(thread);
  return true;
}
