#pragma once

#include <cstdint>
#include <vector>

// The two pictures of the notification-area icon; the idle one is also the application icon.
enum class TChipPicture { Idle, Cleaning };  // green chip, grey chip

// A square picture, 0xAARRGGBB per pixel with straight (not premultiplied) alpha: the layout
// of a 32-bit icon DIB, so the Win32 layer and the icon-file writer copy it as it is.
struct TArgbImage {
  int Size = 0;                       // width = height
  std::vector<std::uint32_t> Pixels;  // row-major, top row first
  // Transparent black outside the picture.
  std::uint32_t At(int x, int y) const;
};

// The smallest and largest sizes drawn. Below 16 pixels the pins would run into each other;
// the upper bound keeps a wrong size from asking for gigabytes.
inline constexpr int MinChipPictureSize = 16;
inline constexpr int MaxChipPictureSize = 1024;

// Draws the chip for exactly this many pixels, so every size has crisp whole-pixel edges.
// A size out of range gives an empty image (Size 0).
TArgbImage DrawChipPicture(TChipPicture picture, int size);
