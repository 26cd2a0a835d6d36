#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>

#include "OrvantaProcess.h"
#include "ui/Color.h"

// Steps the user journeys share: what a user clicks and what a user sees.

// Every journey starts as on a new machine with no instance running, and leaves none.
class Journey : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// The program's window once it shows on the screen; null if it does not within the limit.
HWND WaitForShownWindow(TOrvantaProcess& program);

// Where a window or a child control of the form shows on the screen, and its middle.
RECT ScreenRect(HWND window);
POINT Middle(const RECT& rect);

// A real click in the middle of a child control of this window.
bool ClickControlOf(HWND window, int controlId);
// A real click on the window's own close button in its title bar.
bool ClickCloseButton(HWND window);
// A real left (or right) click on the program's green tray icon, once it shows.
bool ClickTrayIcon(bool rightButton = false);
// Right-clicks the tray icon and picks the menu's last item, Quit, with the keyboard; the
// process's quit confirmation, or null if none came.
HWND OpenQuitConfirmation(DWORD processId);

bool IsChecked(HWND form, int boxId);
bool WaitForVisibility(HWND window, bool visible, std::chrono::milliseconds limit = std::chrono::seconds(5));
// Waits until this text shows in some child control of the window.
bool WaitForChildText(HWND window, const std::wstring& text, std::chrono::milliseconds limit = std::chrono::seconds(5));
// Waits for the program's icon of this colour in the taskbar.
bool WaitForTrayColour(TColor colour, std::chrono::milliseconds limit = std::chrono::seconds(5));

// The notification area at the right end of the taskbar.
RECT NotificationArea();
// Saves this part of the screen as build/windows/screenshots/journeys/NAME.png.
bool SaveJourneyShot(const RECT& area, const std::wstring& name);
