#pragma once

#include <windows.h>

// Shows the main window, restores it from the minimized state and brings it to the front.
// Nothing happens for a window that is gone.
void ShowMainWindow(HWND mainWindow);

// Hides the main window; the program lives on in the notification area.
void HideMainWindow(HWND mainWindow);

// Forces a top-level window into the foreground, working round the foreground lock that
// otherwise only flashes the taskbar button of a process the user is not working in.
void BringWindowToFront(HWND window);
