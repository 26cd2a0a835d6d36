#pragma once

#include <windows.h>

#include <string>

// The per-user client identifier sent with every update check: the string value QUID
// under HKEY_CURRENT_USER\Software\Quiremo, made once on first use and never rewritten.
// Empty on any registry failure, and when QUID holds anything but a string.
std::u16string GetClientId();

// The same under another root key in place of HKEY_CURRENT_USER.
std::u16string GetClientIdUnder(HKEY root);

// A fresh identifier from the local clock and the process's random generator.
std::u16string NewClientId();
