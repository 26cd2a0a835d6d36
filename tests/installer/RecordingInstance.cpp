#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

// recording_instance: stands in for orvanta.exe at the installed exe's path and appends what
// the setup asks of it to the file named by ORVANTA_TEST_LOG. It logs "start" and its
// arguments; as the instance (same window class) it logs "query-end-session" or "user WPARAM"
// and closes on either, as the program does; with "/uninst" it sends the running instance the
// quit command (WM_USER, 2) and ends, as the program does.
namespace {

constexpr wchar_t InstanceClass[] = L"TFrmOrvanta";

void Log(const std::string& line) {
  const char* path = std::getenv("ORVANTA_TEST_LOG");
  if (path == nullptr) return;
  if (FILE* file = std::fopen(path, "ab")) {
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
  }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_QUERYENDSESSION:
      Log("query-end-session");
      ::DestroyWindow(window);
      return TRUE;
    case WM_USER:
      Log("user " + std::to_string(wParam));
      ::DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, nullptr, 0, nullptr, nullptr);
  std::string arguments(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) ::WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, arguments.data(), size, nullptr, nullptr);
  Log(arguments.empty() ? "start" : "start " + arguments);
  if (arguments == "/uninst") {
    if (const HWND running = ::FindWindowW(InstanceClass, nullptr)) ::SendMessageW(running, WM_USER, 2, 0);
    return 0;
  }

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = InstanceClass;
  if (::RegisterClassW(&windowClass) == 0) return 2;
  // Hidden, as the program sits in the notification area after a logon start.
  if (::CreateWindowExW(0, InstanceClass, L"Orvanta", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 200, 100,
                        nullptr, nullptr, instance, nullptr) == nullptr) {
    return 2;
  }
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
