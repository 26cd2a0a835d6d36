#include "tray/ChipPicture.h"

#include <algorithm>
#include <cstddef>

// The chip is designed on a 16-pixel grid (one unit = one pixel of the 16-pixel icon) and
// drawn afresh for each size by these rules, so that every edge falls on a whole pixel:
//   - A distance of k units from an edge is round(k * size / 16) pixels, halves up. The
//     right and bottom halves mirror the left and top, so the chip stays centred at any size.
//   - Body: 1 unit in from the left and right edges, 3 units in from the top and bottom.
//   - Pins: from 1 unit below the top edge down to the body, and mirrored below the body.
//   - Outline: a ring of floor(size / 16) pixels (at least 1), as far inside the body's edge
//     as it is thick.
//   - Pin width: twice round(size / 16) pixels with halves down. It is even, so the middle
//     pin sits exactly on the centre line; the outer pins start 3 units in from the sides.
// At 16 pixels this is the drawing pixel for pixel; at 32, 48 and 256 it is that drawing
// scaled by 2, 3 and 16; at 20 and 24 the same design with its edges on whole pixels.

namespace {

struct TPalette {
  std::uint32_t Body;
  std::uint32_t Outline;
  std::uint32_t MiddlePin;
  std::uint32_t OuterPin;  // lighter and half transparent
};

constexpr TPalette IdlePalette{0xFF43A047, 0xFF81C784, 0xFFFF9800, 0x80FFB74D};
constexpr TPalette CleaningPalette{0xFF848484, 0xFFBDBDBD, 0xFF616161, 0x809E9E9E};

class TChipPainter {
 public:
  explicit TChipPainter(TArgbImage& image) : FImage(image) {}

  // Fills the columns [left, right) of the rows [top, bottom).
  void Fill(int left, int top, int right, int bottom, std::uint32_t color) {
    for (int y = top; y < bottom; ++y)
      std::fill_n(FImage.Pixels.begin() + static_cast<std::ptrdiff_t>(y) * FImage.Size + left, right - left, color);
  }

  // Fills a rectangle given by its distances from the four edges: left and right are equal,
  // and so are top and bottom, which keeps everything symmetric.
  void FillInset(int sides, int topAndBottom, std::uint32_t color) {
    Fill(sides, topAndBottom, FImage.Size - sides, FImage.Size - topAndBottom, color);
  }

 private:
  TArgbImage& FImage;
};

}  // namespace

std::uint32_t TArgbImage::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= Size || y >= Size) return 0;
  return Pixels[static_cast<std::size_t>(y) * Size + x];
}

TArgbImage DrawChipPicture(TChipPicture picture, int size) {
  TArgbImage image;
  if (size < MinChipPictureSize || size > MaxChipPictureSize) return image;
  image.Size = size;
  image.Pixels.assign(static_cast<std::size_t>(size) * size, 0);

  const TPalette& palette = picture == TChipPicture::Cleaning ? CleaningPalette : IdlePalette;
  const auto units = [size](int k) { return (k * size + 8) / 16; };
  const int stroke = std::max(1, size / 16);
  const int pinWidth = 2 * std::max(1, (size + 7) / 16);

  TChipPainter painter(image);
  const int bodySides = units(1);
  const int bodyTop = units(3);
  painter.FillInset(bodySides, bodyTop, palette.Body);
  painter.FillInset(bodySides + stroke, bodyTop + stroke, palette.Outline);
  painter.FillInset(bodySides + 2 * stroke, bodyTop + 2 * stroke, palette.Body);

  const int pinTop = units(1);
  const int outerPinLeft = units(3);
  const int middlePinLeft = (size - pinWidth) / 2;
  const struct {
    int Left;
    std::uint32_t Color;
  } pins[] = {
      {outerPinLeft, palette.OuterPin},
      {middlePinLeft, palette.MiddlePin},
      {size - outerPinLeft - pinWidth, palette.OuterPin},
  };
  for (const auto& pin : pins) {
    painter.Fill(pin.Left, pinTop, pin.Left + pinWidth, bodyTop, pin.Color);
    painter.Fill(pin.Left, size - bodyTop, pin.Left + pinWidth, size - pinTop, pin.Color);
  }
  return image;
}
