#include "tray/ChipIcon.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "win32/GdiObject.h"

TIconHandle CreateIconFromImage(const TArgbImage& image) {
  const int size = image.Size;
  if (size <= 0 || image.Pixels.size() != static_cast<std::size_t>(size) * size) return {};

  // A top-down 32-bit DIB whose alpha mask tells the system the top byte is alpha: the
  // pixels are copied as they are, since 0xAARRGGBB is the DIB's own byte order.
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = size;
  header.bV5Height = -size;
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  const TGdiObject<HBITMAP> color(
      ::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (color.Get() == nullptr || bits == nullptr) return {};
  std::memcpy(bits, image.Pixels.data(), image.Pixels.size() * sizeof(std::uint32_t));

  // The AND mask marks the fully transparent pixels, for whoever draws without alpha.
  // CreateBitmap wants its rows padded to 16 bits.
  const int stride = (size + 15) / 16 * 2;
  std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(stride) * size, 0);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      if ((image.At(x, y) >> 24) == 0)
        maskBits[static_cast<std::size_t>(y) * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
  const TGdiObject<HBITMAP> mask(::CreateBitmap(size, size, 1, 1, maskBits.data()));
  if (mask.Get() == nullptr) return {};

  // The icon holds copies of both bitmaps; ours are freed on return.
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmMask = mask.Get();
  info.hbmColor = color.Get();
  return TIconHandle(::CreateIconIndirect(&info));
}

TIconHandle CreateChipIcon(TChipPicture picture, int size) {
  return CreateIconFromImage(DrawChipPicture(picture, size));
}
