#include "PngFile.h"

#include <zlib.h>

#include <cstdint>
#include <string_view>

namespace {

void PutBigEndian32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void PutChunk(std::string& out, std::string_view type, std::string_view data) {
  PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.append(type).append(data);
  // The check sum covers the type and the data, not the length.
  const auto* checked = reinterpret_cast<const Bytef*>(out.data() + typeAt);
  PutBigEndian32(out, static_cast<std::uint32_t>(crc32(0, checked, static_cast<uInt>(out.size() - typeAt))));
}

}  // namespace

std::string EncodePng(const TArgbImage& image) {
  std::string header;
  PutBigEndian32(header, static_cast<std::uint32_t>(image.Size));
  PutBigEndian32(header, static_cast<std::uint32_t>(image.Size));
  header += std::string_view("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter, no interlace

  // Each row starts with its filter type; none is needed, the flat areas deflate well as they are.
  std::string rows;
  rows.reserve(static_cast<std::size_t>(image.Size) * (1 + 4 * image.Size));
  for (int y = 0; y < image.Size; ++y) {
    rows.push_back('\0');
    for (int x = 0; x < image.Size; ++x) {
      const std::uint32_t pixel = image.At(x, y);
      for (const int shift : {16, 8, 0, 24}) rows.push_back(static_cast<char>((pixel >> shift) & 0xFF));
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(rows.data()),
                static_cast<uLong>(rows.size()), Z_BEST_COMPRESSION) != Z_OK)
    return {};
  packed.resize(packedSize);

  std::string png("\x89PNG\r\n\x1a\n", 8);
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", {});
  return png;
}
