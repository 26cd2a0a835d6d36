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
// Opens the settings page and ticks the box, as a user would; true once it shows ticked.
bool TickBox(HWND form, int boxId);
// The window that has the keyboard focus in the form's thread (null when none has).
HWND FocusedWindowOf(HWND form);
std::size_t VisibleTopLevelWindowsOf(DWORD processId);

// The system's popup menu and message box, and the program's update prompt.
inline constexpr wchar_t PopupMenuClass[] = L"#32768";
inline constexpr wchar_t MessageBoxClass[] = L"#32770";
inline constexpr wchar_t UpdatePromptClass[] = L"TOrvantaMessageDialog";
// The last visible top-level window of this class that the process owns; null if none.
HWND VisibleWindowOf(DWORD processId, const wchar_t* className);
// A popup menu (the tray menu) once it shows; null if none shows within five seconds.
HWND WaitForPopupMenu();
// Saves what the screen shows of the window as a PNG file, once its picture has settled.
bool SaveWindowScreenshot(HWND window, const std::wstring& path);
// The same for any part of the screen, in screen coordinates; a moving picture (a spinner)
// never settles, so it can be taken as it is.
bool SaveScreenshot(const RECT& area, const std::wstring& path, bool waitUntilSettled = true);

// Where the English run of the language tests saves the README's pictures; null elsewhere.
const char* ScreenshotFolder();
