#include "RealInput.h"

#include <chrono>

#include "OrvantaProcess.h"

namespace {

// Wine starts a Linux program from CreateProcess but hands back no process to wait for: the
// callers wait for what the input does instead. The events of one call reach the X server
// in order.
bool RunXdotool(const std::wstring& arguments) {
  std::wstring commandLine = L"/usr/bin/xdotool " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return false;
  }
  if (info.hProcess != nullptr) ::CloseHandle(info.hProcess);
  if (info.hThread != nullptr) ::CloseHandle(info.hThread);
  return true;
}

bool PointerAt(POINT point) {
  POINT cursor{};
  return ::GetCursorPos(&cursor) && cursor.x == point.x && cursor.y == point.y;
}

}  // namespace

bool MovePointerTo(POINT point) {
  if (PointerAt(point)) return true;
  if (!RunXdotool(L"mousemove " + std::to_wstring(point.x) + L" " + std::to_wstring(point.y))) return false;
  return WaitUntil([&] { return PointerAt(point); }, std::chrono::seconds(5));
}

bool ClickAt(POINT point, bool rightButton) {
  // The button goes out only once the move has arrived, so it cannot land elsewhere.
  return MovePointerTo(point) && RunXdotool(rightButton ? L"click 3" : L"click 1");
}

bool PressKeys(const std::wstring& keyNames) {
  return RunXdotool(L"key " + keyNames);
}
