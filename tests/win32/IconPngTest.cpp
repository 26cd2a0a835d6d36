#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/GdiPlus.h"
#include "ui/IconPng.h"
#include "win32/GdiObject.h"
#include "win32/IconHandle.h"

namespace {

constexpr int Side = 4;

// An icon of 4 x 4 pixels given as ARGB rows, top row first, with a mask that is set
// (transparent) where maskedOut says so.
TIconHandle MakeIcon(const std::vector<std::uint32_t>& argb, const std::vector<bool>& maskedOut) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = Side;
  info.bmiHeader.biHeight = -Side;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const TGdiObject<HBITMAP> color(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (color.Get() == nullptr) return TIconHandle();
  std::copy(argb.begin(), argb.end(), static_cast<std::uint32_t*>(bits));
  // Rows of a monochrome bitmap are padded to 16 bits; the leftmost pixel is the top bit.
  std::vector<std::uint16_t> maskRows(Side, 0);
  for (int i = 0; i < Side * Side; ++i) {
    if (maskedOut[i]) maskRows[i / Side] |= static_cast<std::uint16_t>(0x80 >> (i % Side));
  }
  const TGdiObject<HBITMAP> mask(::CreateBitmap(Side, Side, 1, 1, maskRows.data()));
  ICONINFO parts{TRUE, 0, 0, mask.Get(), color.Get()};
  return TIconHandle(::CreateIconIndirect(&parts));
}

std::wstring ScratchPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH + 1]{};
  ::GetTempPathW(MAX_PATH + 1, folder);
  return std::wstring(folder) + L"orvanta-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + name;
}

// The pixels of a PNG file as ARGB, read back through GDI+; empty if it is no 4 x 4 picture.
std::vector<std::uint32_t> ReadPng(const std::wstring& path) {
  Gdiplus::Bitmap bitmap(path.c_str());
  if (bitmap.GetLastStatus() != Gdiplus::Ok || bitmap.GetWidth() != Side || bitmap.GetHeight() != Side) return {};
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < Side; ++y) {
    for (int x = 0; x < Side; ++x) {
      Gdiplus::Color color;
      bitmap.GetPixel(x, y, &color);
      pixels.push_back(color.GetValue());
    }
  }
  return pixels;
}

// Fully transparent pixels carry no colour worth comparing.
std::vector<std::uint32_t> Visible(std::vector<std::uint32_t> pixels) {
  for (auto& pixel : pixels) {
    if ((pixel >> 24) == 0) pixel = 0;
  }
  return pixels;
}

class IconPngTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(GdiPlusReady());
    FPath = ScratchPath(L"icon.png");
    ::DeleteFileW(FPath.c_str());
  }
  void TearDown() override { ::DeleteFileW(FPath.c_str()); }

  std::wstring FPath;
};

TEST_F(IconPngTest, KeepsTheColoursAndTheAlphaChannelOfA32BitIcon) {
  std::vector<std::uint32_t> argb(Side * Side, 0xFF3D84DD);
  argb[0] = 0xFFFF0000;  // opaque red
  argb[1] = 0x8000FF00;  // half-transparent green
  argb[2] = 0x00000000;  // transparent
  argb[15] = 0x400000FF;
  // The mask is ignored once the colours have an alpha channel.
  const TIconHandle icon = MakeIcon(argb, std::vector<bool>(Side * Side, true));
  ASSERT_NE(icon.Get(), nullptr);

  ASSERT_TRUE(SaveIconAsPng(icon.Get(), FPath));
  EXPECT_EQ(Visible(ReadPng(FPath)), argb);
  EXPECT_EQ(::GetFileAttributesW((FPath + L".partial").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(IconPngTest, TakesTheTransparencyOfAnIconWithoutAlphaFromItsMask) {
  std::vector<std::uint32_t> rgb(Side * Side, 0x003D84DD);
  std::vector<bool> maskedOut(Side * Side, false);
  maskedOut[0] = maskedOut[5] = maskedOut[15] = true;
  const TIconHandle icon = MakeIcon(rgb, maskedOut);
  ASSERT_NE(icon.Get(), nullptr);

  ASSERT_TRUE(SaveIconAsPng(icon.Get(), FPath));
  std::vector<std::uint32_t> expected(Side * Side, 0xFF3D84DD);
  expected[0] = expected[5] = expected[15] = 0;
  EXPECT_EQ(Visible(ReadPng(FPath)), expected);
}

TEST_F(IconPngTest, ReplacesAnOlderPictureAndLeavesNothingOnFailure) {
  const TIconHandle icon = MakeIcon(std::vector<std::uint32_t>(Side * Side, 0xFF000000), std::vector<bool>(16));
  ASSERT_TRUE(SaveIconAsPng(icon.Get(), FPath));
  const TIconHandle newer = MakeIcon(std::vector<std::uint32_t>(Side * Side, 0xFFFFFFFF), std::vector<bool>(16));
  ASSERT_TRUE(SaveIconAsPng(newer.Get(), FPath));
  EXPECT_EQ(ReadPng(FPath), std::vector<std::uint32_t>(Side * Side, 0xFFFFFFFF));

  const std::wstring missingFolder = ScratchPath(L"no-such-folder\\icon.png");
  EXPECT_FALSE(SaveIconAsPng(newer.Get(), missingFolder));
  EXPECT_FALSE(SaveIconAsPng(nullptr, FPath));
  EXPECT_EQ(ReadPng(FPath), std::vector<std::uint32_t>(Side * Side, 0xFFFFFFFF)) << "a failure spoilt the picture";
}

}  // namespace
