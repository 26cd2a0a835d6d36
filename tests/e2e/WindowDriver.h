#pragma once

#include <windows.h>

#include <string>

// What a test reads off another process's window, and how it clicks.

// A child control's rectangle in its form's client coordinates.
RECT ControlRect(HWND form, int controlId);
std::wstring WindowText(HWND window);
SIZE ClientSize(HWND window);
// A left click in the middle of the control, as mouse messages.
void ClickControl(HWND form, int controlId);
// The window that has the keyboard focus in the form's thread (null when none has).
HWND FocusedWindowOf(HWND form);
std::size_t VisibleTopLevelWindowsOf(DWORD processId);
// Saves what the screen shows of the window as a PNG file, once its picture has settled.
bool SaveWindowScreenshot(HWND window, const std::wstring& path);
