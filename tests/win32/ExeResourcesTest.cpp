#include <gtest/gtest.h>
#include <windows.h>

#include "IconPixels.h"
#include "ResourceModule.h"
#include "TestPaths.h"
#include "tray/ChipPicture.h"
#include "win32/IconHandle.h"

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

TEST(ExeResources, ManifestAsksForElevationPerMonitorDpiAndCommonControls6) {
  const TResourceModule exe(BesideThisTest(u"orvanta.exe"));
  const std::string manifest(exe.Bytes(MAKEINTRESOURCEW(1), RT_MANIFEST));
  ASSERT_FALSE(manifest.empty());
  for (const char* needed : {
           R"(level="requireAdministrator")", "PerMonitorV2",
           R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")",
           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // Windows 10 and 11
       }) {
    EXPECT_NE(manifest.find(needed), std::string::npos) << needed;
  }
}

TEST(ExeResources, FileVersionComesFromTheBuild) {
  const std::wstring exe = OrvantaExePath();
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(::GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length));
  EXPECT_EQ(HIWORD(info->dwFileVersionMS), ORVANTA_VERSION_MAJOR);
  EXPECT_EQ(LOWORD(info->dwFileVersionMS), ORVANTA_VERSION_MINOR);
  EXPECT_EQ(HIWORD(info->dwFileVersionLS), ORVANTA_VERSION_PATCH);
  EXPECT_EQ(LOWORD(info->dwFileVersionLS), ORVANTA_VERSION_TWEAK);
}

// One entry of an icon group as the resource compiler stores it (GRPICONDIRENTRY).
#pragma pack(push, 2)
struct TGroupIconEntry {
  BYTE Width, Height, ColorCount, Reserved;
  WORD Planes, BitCount;
  DWORD BytesInRes;
  WORD Id;
};
#pragma pack(pop)
static_assert(sizeof(TGroupIconEntry) == 14);

TEST(ExeResources, MainIconHoldsTheSixSizesAs32BitPictures) {
  const TResourceModule exe(BesideThisTest(u"orvanta.exe"));
  const std::string_view group = exe.Bytes(L"MAINICON", RT_GROUP_ICON);
  ASSERT_GE(group.size(), 6u) << "no MAINICON icon group";
  WORD header[3];
  std::memcpy(header, group.data(), sizeof header);
  const int count = header[2];
  ASSERT_EQ(group.size(), 6 + sizeof(TGroupIconEntry) * count);

  std::multiset<int> sizes;
  for (int i = 0; i < count; ++i) {
    TGroupIconEntry entry;
    std::memcpy(&entry, group.data() + 6 + sizeof entry * i, sizeof entry);
    const int size = entry.Width == 0 ? 256 : entry.Width;
    sizes.insert(size);
    SCOPED_TRACE(std::to_string(size) + " px");
    EXPECT_EQ(entry.Height, entry.Width);
    EXPECT_EQ(entry.BitCount, 32);
    const std::string_view image = exe.Bytes(MAKEINTRESOURCEW(entry.Id), RT_ICON);
    ASSERT_EQ(image.size(), entry.BytesInRes);
    if (size == 256) {
      // PNG keeps the largest picture small.
      EXPECT_EQ(image.substr(0, 8), std::string_view("\x89PNG\r\n\x1a\n", 8));
    } else {
      BITMAPINFOHEADER dib;
      ASSERT_GE(image.size(), sizeof dib);
      std::memcpy(&dib, image.data(), sizeof dib);
      EXPECT_EQ(dib.biWidth, size);
      EXPECT_EQ(dib.biHeight, 2 * size) << "colour rows and mask rows";
      EXPECT_EQ(dib.biBitCount, 32);
    }
  }
  EXPECT_EQ(sizes, (std::multiset<int>{16, 20, 24, 32, 48, 256}));
}

TEST(ExeResources, MainIconIsTheIdleChipAtEverySize) {
  const TResourceModule exe(BesideThisTest(u"orvanta.exe"));
  ASSERT_NE(exe.Get(), nullptr);
  for (const int size : {16, 20, 24, 32, 48, 256}) {
    SCOPED_TRACE(std::to_string(size) + " px");
    const TIconHandle icon(static_cast<HICON>(::LoadImageW(exe.Get(), L"MAINICON", IMAGE_ICON, size, size, 0)));
    ASSERT_TRUE(icon.Valid());
    // The mask of a PNG picture is the system's own, cut at an alpha threshold of its choosing.
    const TMaskCheck maskCheck = size == 256 ? TMaskCheck::Ignored : TMaskCheck::Exact;
    EXPECT_TRUE(HoldsPicture(ReadIconPixels(icon.Get()), DrawChipPicture(TChipPicture::Idle, size), maskCheck));
  }
}

}  // namespace
