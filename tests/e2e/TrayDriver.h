#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "ScreenInput.h"
#include "ui/Color.h"

// What a test needs of the notification area: where an icon of a given colour shows,
// real clicks on it, and whether the shell still knows an icon.

// The body colours of the tray pictures: the green chip while idle, the grey one while a
// clean runs. No other pixel of the taskbar has them.
inline const TColor TrayIdleBody = RGBColor(67, 160, 71);
inline const TColor TrayCleaningBody = RGBColor(132, 132, 132);

// The taskbar of the Wine desktop, in screen coordinates (empty when there is none).
RECT TaskbarRect();
// The middle of the pixels of exactly this colour inside the taskbar, if any show.
std::optional<POINT> FindTaskbarColour(TColor colour);
// True while the shell knows the icon of this window and number (a change without
// effect is accepted only for an icon that exists).
bool ShellKnowsIcon(HWND window, UINT id);
