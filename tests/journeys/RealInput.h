#pragma once

#include <windows.h>

#include <string>

// Real X input through xdotool, as a user's mouse and keyboard give it. The Wine desktop
// sits at the top left of the session's X screen (there is no window manager to move it),
// so desktop coordinates are X coordinates.

// Moves the pointer and waits until Wine has seen it arrive.
bool MovePointerTo(POINT point);
// Moves the pointer there, then presses and releases the left (or right) button.
bool ClickAt(POINT point, bool rightButton = false);
// Presses keys by their X names, one after the other ("Up Return").
bool PressKeys(const std::wstring& keyNames);
