#include "IconFile.h"

#include <cstdint>

#include "PngFile.h"

namespace {

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// BITMAPINFOHEADER, the colour rows and the AND-mask rows, both bottom row first. The header
// counts both halves in its height.
std::string EncodeDib(const TArgbImage& image) {
  const int size = image.Size;
  const int maskStride = (size + 31) / 32 * 4;  // 1 bit a pixel, rows padded to 32 bits
  const std::uint32_t colorBytes = static_cast<std::uint32_t>(size) * size * 4;
  const std::uint32_t maskBytes = static_cast<std::uint32_t>(maskStride) * size;

  std::string dib;
  PutLittleEndian(dib, 40, 4);  // header size
  PutLittleEndian(dib, static_cast<std::uint32_t>(size), 4);
  PutLittleEndian(dib, static_cast<std::uint32_t>(2 * size), 4);
  PutLittleEndian(dib, 1, 2);   // planes
  PutLittleEndian(dib, 32, 2);  // bits a pixel
  PutLittleEndian(dib, 0, 4);   // BI_RGB
  PutLittleEndian(dib, colorBytes + maskBytes, 4);
  PutLittleEndian(dib, 0, 4 * 4);  // resolution and colour counts: none

  for (int y = size - 1; y >= 0; --y)
    for (int x = 0; x < size; ++x) PutLittleEndian(dib, image.At(x, y), 4);  // B, G, R, A
  // A set mask bit shows the background: readers that ignore alpha still get the outline.
  for (int y = size - 1; y >= 0; --y) {
    std::string row(static_cast<std::size_t>(maskStride), '\0');
    for (int x = 0; x < size; ++x)
      if ((image.At(x, y) >> 24) == 0) row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
    dib += row;
  }
  return dib;
}

}  // namespace

std::string EncodeIconFile(const std::vector<TArgbImage>& images) {
  std::vector<std::string> entries;
  for (const TArgbImage& image : images) {
    if (image.Size <= 0 || image.Size > 256) return {};
    entries.push_back(image.Size == 256 ? EncodePng(image) : EncodeDib(image));
    if (entries.back().empty()) return {};
  }

  std::string file;
  PutLittleEndian(file, 0, 2);  // reserved
  PutLittleEndian(file, 1, 2);  // icon, not cursor
  PutLittleEndian(file, static_cast<std::uint32_t>(images.size()), 2);
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const auto side = static_cast<std::uint32_t>(images[i].Size % 256);  // 0 stands for 256
    PutLittleEndian(file, side, 1);
    PutLittleEndian(file, side, 1);
    PutLittleEndian(file, 0, 1);   // no palette
    PutLittleEndian(file, 0, 1);   // reserved
    PutLittleEndian(file, 1, 2);   // planes
    PutLittleEndian(file, 32, 2);  // bits a pixel
    PutLittleEndian(file, static_cast<std::uint32_t>(entries[i].size()), 4);
    PutLittleEndian(file, offset, 4);
    offset += static_cast<std::uint32_t>(entries[i].size());
  }
  for (const std::string& entry : entries) file += entry;
  return file;
}
