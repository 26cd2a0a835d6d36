#include "app/Entry.h"

#include "app/CommandLine.h"
#include "app/InstanceName.h"
#include "app/MainWindow.h"

namespace {

constexpr int UninstallWaitAttempts = 10;
constexpr DWORD UninstallWaitStepMs = 100;

void SendInstanceCommand(HWND runningWindow, std::uintptr_t command) {
  if (runningWindow != nullptr) ::SendMessageW(runningWindow, WM_USER, command, 0);
}

int AskRunningInstanceToQuit(HWND runningWindow) {
  SendInstanceCommand(runningWindow, CommandQuit);
  for (int attempt = 0; attempt < UninstallWaitAttempts; ++attempt) {
    if (!::IsWindow(runningWindow)) break;
    ::Sleep(UninstallWaitStepMs);
  }
  return 0;
}

// Creating the mutex is the check: of two processes started at the same moment exactly
// one creates it, the other is told it already exists. The handle is never closed; the
// system releases it with the process.
bool ClaimInstanceMutex() {
  ::CreateMutexW(nullptr, TRUE, InstanceName);
  return ::GetLastError() != ERROR_ALREADY_EXISTS;
}

int RunMessageLoop(const TFrmOrvanta& mainWindow) {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab, Shift+Tab, Space and the arrow keys move between the window's controls.
    if (mainWindow.Handle() != nullptr && ::IsDialogMessageW(mainWindow.Handle(), &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int RunEntry(std::u16string_view firstArgument, const TMainWindowSeams& seams) {
  // Looked up before anything else, even by the process that goes on to be the instance.
  const HWND runningWindow = ::FindWindowW(InstanceName, nullptr);
  const TStartMode startMode = StartModeOf(firstArgument);

  if (startMode == TStartMode::Uninstall) return AskRunningInstanceToQuit(runningWindow);

  if (!ClaimInstanceMutex()) {
    // A logon start finding the program already running stays silent.
    if (startMode != TStartMode::Start) SendInstanceCommand(runningWindow, CommandShow);
    return 0;
  }

  TFrmOrvanta mainWindow(startMode, seams);
  if (!mainWindow.Create()) return 1;
  if (startMode != TStartMode::Start) mainWindow.ShowFirstTime();
  return RunMessageLoop(mainWindow);
}
