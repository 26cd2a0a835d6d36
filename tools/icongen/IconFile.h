#pragma once

#include <string>
#include <vector>

#include "tray/ChipPicture.h"

// An .ico file holding the pictures in the order given: up to 255 pixels as 32-bit DIBs
// with their AND mask, which every icon reader understands; 256 pixels as PNG, which the
// system reads for that size and which keeps the largest picture small. Empty when a picture
// is empty, larger than 256 pixels, or cannot be encoded.
std::string EncodeIconFile(const std::vector<TArgbImage>& images);
