#include <windows.h>

// hold_desktop: stays connected to the Wine desktop until it is killed. Wine closes a
// virtual desktop (and its explorer process) shortly after the last program using it
// ends; a test run of many short programs would otherwise pay for a new desktop in
// almost every test.
int wmain() {
  ::GetDesktopWindow();
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
  return 0;
}
