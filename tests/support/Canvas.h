#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "ui/Color.h"

// A 32-bit top-down bitmap selected into a memory DC, filled with a background colour:
// tests paint or copy into it and read back exact pixels.
class TCanvas {
 public:
  TCanvas(int width, int height, TColor background = RGBColor(255, 255, 255))
      : FWidth(width), FHeight(height), FDC(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    FBitmap = ::CreateDIBSection(FDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    FBits = static_cast<std::uint32_t*>(bits);
    FOldBitmap = ::SelectObject(FDC, FBitmap);
    if (FBits == nullptr) return;
    for (int i = 0; i < width * height; ++i)
      FBits[i] = (RedOf(background) << 16) | (GreenOf(background) << 8) | BlueOf(background);
  }
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  ~TCanvas() {
    ::SelectObject(FDC, FOldBitmap);
    ::DeleteObject(FBitmap);
    ::DeleteDC(FDC);
  }

  bool Valid() const { return FDC && FBits; }
  HDC DC() const { return FDC; }
  RECT Bounds() const { return RECT{0, 0, FWidth, FHeight}; }

  TColor At(int x, int y) const {
    ::GdiFlush();
    const std::uint32_t pixel = FBits[y * FWidth + x];
    return RGBColor(static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                    static_cast<std::uint8_t>(pixel));
  }

  // Every pixel, row by row, for comparing two pictures.
  std::vector<std::uint32_t> Pixels() const {
    ::GdiFlush();
    return std::vector<std::uint32_t>(FBits, FBits + static_cast<std::size_t>(FWidth) * FHeight);
  }

  // Pixels in [left, right) x [top, bottom) within tolerance of color in every channel.
  int Count(const RECT& box, TColor color, int tolerance) const {
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y)
      for (int x = box.left; x < box.right; ++x)
        if (Near(At(x, y), color, tolerance)) ++count;
    return count;
  }

  static bool Near(TColor a, TColor b, int tolerance) {
    return std::abs(RedOf(a) - RedOf(b)) <= tolerance && std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
           std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
  }

 private:
  int FWidth;
  int FHeight;
  HDC FDC;
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
  std::uint32_t* FBits = nullptr;
};
