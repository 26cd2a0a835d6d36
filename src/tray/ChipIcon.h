#pragma once

#include <windows.h>

#include "tray/ChipPicture.h"
#include "win32/IconHandle.h"

// An icon of the chip drawn for exactly size x size pixels (the small-icon size at the
// window's DPI), with its alpha channel. A null owner when the size is out of range or the
// system is out of GDI resources.
TIconHandle CreateChipIcon(TChipPicture picture, int size);

// An icon of any square picture, alpha kept as it is.
TIconHandle CreateIconFromImage(const TArgbImage& image);
