#pragma once

#include <string>

#include "tray/ChipPicture.h"

// The picture as a PNG file (8-bit RGBA, straight alpha as PNG keeps it), deflated with zlib.
// Empty when compression fails.
std::string EncodePng(const TArgbImage& image);
