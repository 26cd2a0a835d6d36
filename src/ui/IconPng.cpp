#include "ui/IconPng.h"

#include <cstdint>
#include <vector>

#include "ui/GdiPlus.h"
#include "win32/GdiObject.h"

namespace {

struct TPixels {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Bgra;  // top row first
};

// The bitmap's pixels as 32-bit BGRA, top row first; empty on failure.
std::vector<std::uint32_t> ReadPixels(HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  const HDC screen = ::GetDC(nullptr);
  const int rows = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  if (rows != height) pixels.clear();
  return pixels;
}

TPixels IconPixels(HICON icon) {
  ICONINFO parts{};
  if (!::GetIconInfo(icon, &parts)) return {};
  const TGdiObject<HBITMAP> color(parts.hbmColor);
  const TGdiObject<HBITMAP> mask(parts.hbmMask);
  // A monochrome icon keeps both of its halves in the mask: no colour to show.
  BITMAP shape{};
  if (color.Get() == nullptr || ::GetObjectW(color.Get(), sizeof(shape), &shape) == 0) return {};
  if (shape.bmWidth <= 0 || shape.bmHeight <= 0) return {};

  TPixels pixels{shape.bmWidth, shape.bmHeight, ReadPixels(color.Get(), shape.bmWidth, shape.bmHeight)};
  if (pixels.Bgra.empty()) return {};
  bool hasAlpha = false;
  for (const std::uint32_t pixel : pixels.Bgra) hasAlpha = hasAlpha || (pixel >> 24) != 0;
  if (hasAlpha) return pixels;

  // An icon without an alpha channel: its mask is white where the icon is transparent.
  const std::vector<std::uint32_t> maskPixels = ReadPixels(mask.Get(), pixels.Width, pixels.Height);
  if (maskPixels.size() != pixels.Bgra.size()) return {};
  for (std::size_t i = 0; i < pixels.Bgra.size(); ++i) {
    const bool transparent = (maskPixels[i] & 0x00FFFFFF) != 0;
    pixels.Bgra[i] = transparent ? 0 : (pixels.Bgra[i] | 0xFF000000);
  }
  return pixels;
}

bool FindPngEncoder(CLSID& encoder) {
  UINT count = 0;
  UINT bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<std::uint8_t> buffer(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (codecs[i].MimeType != nullptr && ::lstrcmpiW(codecs[i].MimeType, L"image/png") == 0) {
      encoder = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

bool SaveIconAsPng(HICON icon, const std::wstring& path) {
  if (icon == nullptr || !GdiPlusReady()) return false;
  TPixels pixels = IconPixels(icon);
  CLSID encoder{};
  if (pixels.Bgra.empty() || !FindPngEncoder(encoder)) return false;

  const std::wstring partial = path + L".partial";
  bool saved = false;
  {
    // Icon pixels are not premultiplied, which is GDI+'s plain ARGB format.
    Gdiplus::Bitmap bitmap(pixels.Width, pixels.Height, pixels.Width * 4, PixelFormat32bppARGB,
                           reinterpret_cast<BYTE*>(pixels.Bgra.data()));
    saved = bitmap.GetLastStatus() == Gdiplus::Ok && bitmap.Save(partial.c_str(), &encoder, nullptr) == Gdiplus::Ok;
  }
  if (saved && ::MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  ::DeleteFileW(partial.c_str());
  return false;
}
