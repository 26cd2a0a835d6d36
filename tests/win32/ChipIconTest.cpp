#include <gtest/gtest.h>
#include <windows.h>

#include <utility>

#include "IconPixels.h"
#include "tray/ChipIcon.h"

namespace {

TEST(ChipIcon, CarriesThePictureWithItsAlphaAtEachSize) {
  const struct {
    const char* Name;
    TChipPicture Picture;
    int Size;
  } cases[] = {
      {"idle at 16", TChipPicture::Idle, 16},         {"cleaning at 16", TChipPicture::Cleaning, 16},
      {"idle at 24", TChipPicture::Idle, 24},         {"cleaning at 24", TChipPicture::Cleaning, 24},
      {"idle at 32 (200 %)", TChipPicture::Idle, 32}, {"idle at 20 (125 %)", TChipPicture::Idle, 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TIconHandle icon = CreateChipIcon(c.Picture, c.Size);
    ASSERT_TRUE(icon.Valid());
    EXPECT_TRUE(HoldsPicture(ReadIconPixels(icon.Get()), DrawChipPicture(c.Picture, c.Size)));
  }
}

TEST(ChipIcon, SizeOutOfRangeGivesNoIcon) {
  for (const int size : {0, 8, 15, MaxChipPictureSize + 1})
    EXPECT_FALSE(CreateChipIcon(TChipPicture::Idle, size).Valid()) << size;
  // A picture whose pixels do not fill its size is refused, not read past its end.
  TArgbImage broken;
  broken.Size = 16;
  broken.Pixels.assign(10, 0xFF000000);
  EXPECT_FALSE(CreateIconFromImage(broken).Valid());
}

TEST(IconHandle, DestroysItsIconOnceAndHandsItOver) {
  TIconHandle first = CreateChipIcon(TChipPicture::Idle, 16);
  const HICON icon = first.Get();
  ASSERT_NE(icon, nullptr);
  TIconHandle second(std::move(first));
  EXPECT_FALSE(first.Valid());
  EXPECT_EQ(second.Get(), icon);
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(icon, &info));
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  second.Reset();
  EXPECT_FALSE(::GetIconInfo(icon, &info)) << "the icon outlived its owner";
}

}  // namespace
