#include "update/UpdateCheck.h"

#include <atomic>
#include <memory>
#include <vector>

#include "app/DebugBuild.h"
#include "i18n/Translation.h"
#include "update/AnswerReader.h"
#include "update/ClientId.h"
#include "update/HeaderValue.h"
#include "update/LinkFilter.h"
#include "update/ShellOpen.h"
#include "update/UpdateDialog.h"
#include "update/VersionText.h"
#include "win32/UniqueHandle.h"

namespace {

constexpr int Attempts = 6;

// Module state: written on the user-interface thread before a worker starts, read after.
std::u16string ServiceUrl;
int LayoutAdjust = 0;
std::atomic<bool> Terminating = false;
// Hold-command threads the end of the process waits for a little; user-interface thread only.
std::vector<TUniqueHandle> HoldThreads;

struct TCheck {
  TUpdateCallback Proc;
  std::u16string Data;
};

UINT DecisionMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"Orvanta.UpdateDecision");
  return message;
}

bool Request(const THeaderList& headers, std::u16string& text) {
  const auto http = UpdateCheckSeams().HttpGetText;
  return http != nullptr ? http(ServiceUrl, headers, text) : HttpGetText(ServiceUrl, headers, text);
}

bool Prompt(const std::u16string& data) {
  const auto dialog = UpdateCheckSeams().UpdateDialog;
  return dialog != nullptr ? dialog(data) : UpdateDialog(data);
}

// The decision, on the user-interface thread.
void Decide(TCheck& check) {
  if (Terminating) return;
  std::u16string item;
  try {
    item = ReadUpdateLink(check.Data);
    // The notice fields matter only to a prompt: a broken escape there ends the check too.
    if (!item.empty()) ReadServiceAnswer(check.Data);
  } catch (const TUnescapeError&) {
    // A broken escape ends the check: no prompt, no link, no callback.
    return;
  }
  bool launched = false;
  // The link comes from the network: one the shell would refuse must not cost a quit.
  if (!item.empty() && IsWebLink(item) && Prompt(check.Data)) {
    ShellOpen(item);
    launched = true;
  }
  if (Terminating) return;
  if (check.Proc) check.Proc(launched, check.Data);
}

LRESULT CALLBACK DecisionWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == DecisionMessage() && message != 0) {
    try {
      Decide(*reinterpret_cast<TCheck*>(lParam));
    } catch (...) {
      // A failing callback must not unwind into the system's message dispatch.
    }
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// A message-only window of the user-interface thread that takes the workers' decisions.
// It lives as long as the process.
HWND DecisionWindow() {
  static const HWND window = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &DecisionWindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"OrvantaUpdateDecision";
    ::RegisterClassExW(&windowClass);
    return ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             windowClass.hInstance, nullptr);
  }();
  return window;
}

struct TWorkerStart {
  std::shared_ptr<TCheck> Check;
  HWND Decision;
};

// Ten seconds in small steps; false as soon as the program is ending.
bool Pause() {
  const TUpdateCheckSeams& seams = UpdateCheckSeams();
  for (int step = 0; step < seams.PauseSteps; ++step) {
    if (Terminating) return false;
    ::Sleep(seams.StepMs);
  }
  return true;
}

DWORD WINAPI CheckWorker(void* parameter) {
  const std::unique_ptr<TWorkerStart> start(static_cast<TWorkerStart*>(parameter));
  try {
    const THeaderList headers{
        {u"User-Version", HeaderValue(GetVersionText(u"%d.%d.%d.%d"))},
        {u"User-Language", HeaderValue(CurrentLanguage())},
        {u"User-Debug", DebugBuild ? u"true" : u"false"},
        {u"User-Union", HeaderValue(GetClientId())},
    };
    for (int attempt = 0; attempt < Attempts; ++attempt) {
      std::u16string body;
      if (Request(headers, body)) {
        start->Check->Data = std::move(body);
        break;
      }
      if (!Pause()) return 0;
    }
  } catch (...) {
    // Out of memory while asking: the check ends as if every attempt had failed.
  }
  // An attempt that ends after the window is gone hands nothing over.
  if (Terminating) return 0;
  ::SendMessageW(start->Decision, DecisionMessage(), 0, reinterpret_cast<LPARAM>(start->Check.get()));
  return 0;
}

DWORD WINAPI HoldWorker(void*) {
  const THeaderList headers{
      {u"User-Version", HeaderValue(GetVersionText(u"%d.%d.%d.%d"))},
      {u"User-Command", u"hold"},
  };
  std::u16string ignored;
  Request(headers, ignored);
  return 0;
}

}  // namespace

TUpdateCheckSeams& UpdateCheckSeams() {
  static TUpdateCheckSeams seams;
  return seams;
}

const std::u16string& UpdateServiceUrl() {
  return ServiceUrl;
}

int UpdateLayoutAdjust() {
  return LayoutAdjust;
}

void SetApplicationTerminating(bool terminating) {
  Terminating = terminating;
}

bool ApplicationTerminating() {
  return Terminating;
}

void CheckUpdate(const std::u16string& url, TUpdateCallback proc, int layoutAdjust) {
  ServiceUrl = url;
  LayoutAdjust = layoutAdjust;
  const bool waits = !proc;
  auto start = std::make_unique<TWorkerStart>(TWorkerStart{std::make_shared<TCheck>(), DecisionWindow()});
  start->Check->Proc = std::move(proc);
  if (start->Decision == nullptr) return;
  TUniqueHandle thread(::CreateThread(nullptr, 0, &CheckWorker, start.get(), 0, nullptr));
  if (!thread.Valid()) return;
  start.release();  // the worker owns it now
  if (!waits) return;
  // Without a callback the caller waits, and its thread keeps serving the decision.
  HANDLE handle = thread.Get();
  while (::MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
}

void SendHoldCommand() {
  HANDLE thread = ::CreateThread(nullptr, 0, &HoldWorker, nullptr, 0, nullptr);
  if (thread != nullptr) HoldThreads.emplace_back(thread);
}

void WaitForHoldCommands(DWORD limitMs) {
  const ULONGLONG deadline = ::GetTickCount64() + limitMs;
  for (const TUniqueHandle& thread : HoldThreads) {
    const ULONGLONG now = ::GetTickCount64();
    const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
    ::WaitForSingleObject(thread.Get(), left);
  }
}
