#include <windows.h>

#include "app/Program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // First of all: every DLL loaded from here on comes from System32, never from the
  // (possibly user-writable) folder the exe sits in.
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  RunProgram({});
}
