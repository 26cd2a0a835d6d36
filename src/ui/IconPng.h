#pragma once

#include <windows.h>

#include <string>

// Writes icon as a 32-bit PNG file at path, keeping its transparency: the alpha channel
// of a 32-bit icon, or else the transparent pixels of its mask. The file is written
// beside path first and then moved into place, so a reader never sees half a picture.
// False, with no file made, when the icon cannot be read or the file cannot be written.
bool SaveIconAsPng(HICON icon, const std::wstring& path);
