#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tray/ChipPicture.h"
#include "win32/GdiObject.h"

// What an icon holds, read back through GetIconInfo: its colour pixels with alpha, as
// 0xAARRGGBB, and its AND mask (true where the background shows).
struct TIconPixels {
  TArgbImage Color;
  std::vector<bool> Transparent;
};

namespace icon_pixels_detail {

// The bitmap's pixels as top-down 32-bit rows; empty when GetDIBits fails.
inline std::vector<std::uint32_t> ReadBitmap(HDC dc, HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  if (::GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) != height) return {};
  return pixels;
}

}  // namespace icon_pixels_detail

// Size 0 when the icon cannot be read or is not square.
inline TIconPixels ReadIconPixels(HICON icon) {
  TIconPixels result;
  ICONINFO info{};
  if (icon == nullptr || !::GetIconInfo(icon, &info)) return result;
  const TGdiObject<HBITMAP> color(info.hbmColor);
  const TGdiObject<HBITMAP> mask(info.hbmMask);
  BITMAP bitmap{};
  if (color.Get() == nullptr || ::GetObjectW(color.Get(), sizeof bitmap, &bitmap) == 0) return result;
  if (bitmap.bmWidth != bitmap.bmHeight) return result;
  const int size = bitmap.bmWidth;

  const TMemoryDc dc(::CreateCompatibleDC(nullptr));
  auto pixels = icon_pixels_detail::ReadBitmap(dc.Get(), color.Get(), size, size);
  const auto maskPixels = icon_pixels_detail::ReadBitmap(dc.Get(), mask.Get(), size, size);
  if (pixels.empty() || maskPixels.empty()) return result;
  result.Color.Size = size;
  result.Color.Pixels = std::move(pixels);
  // A 1-bit mask reads back as white where its bit is set.
  for (const std::uint32_t pixel : maskPixels) result.Transparent.push_back((pixel & 0x00FFFFFF) != 0);
  return result;
}

inline std::string ArgbHex(std::uint32_t pixel) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(pixel));
  return text;
}

enum class TMaskCheck { Exact, Ignored };

// Succeeds when the icon carries the picture pixel for pixel, alpha included, and (unless
// ignored) its mask shows the background exactly where the picture is fully transparent;
// else names the first differences.
inline ::testing::AssertionResult HoldsPicture(const TIconPixels& icon, const TArgbImage& picture,
                                               TMaskCheck maskCheck = TMaskCheck::Exact) {
  if (icon.Color.Size != picture.Size)
    return ::testing::AssertionFailure() << "the icon reads back at " << icon.Color.Size << " pixels, not "
                                         << picture.Size;
  int wrong = 0;
  std::string differences;
  for (int y = 0; y < picture.Size; ++y) {
    for (int x = 0; x < picture.Size; ++x) {
      const std::uint32_t expected = picture.At(x, y);
      const std::uint32_t actual = icon.Color.At(x, y);
      const bool masked = icon.Transparent[static_cast<std::size_t>(y) * picture.Size + x];
      const bool shouldBeMasked = maskCheck == TMaskCheck::Exact ? (expected >> 24) == 0 : masked;
      if ((actual == expected && masked == shouldBeMasked) || ++wrong > 5) continue;
      differences += "\n  (" + std::to_string(x) + ", " + std::to_string(y) + ") is " + ArgbHex(actual) +
                     (masked ? " masked" : " unmasked") + ", expected " + ArgbHex(expected) +
                     (shouldBeMasked ? " masked" : " unmasked");
    }
  }
  if (wrong == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << wrong << " pixels differ:" << differences;
}
