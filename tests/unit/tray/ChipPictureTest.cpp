#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tray/ChipPicture.h"

namespace {

// The 16-pixel picture as it must look: B body, L lighter inner outline, P solid middle pin,
// o lighter half-transparent outer pin, . fully transparent.
const char* const Design16[16] = {
    "................",  //
    "...oo..PP..oo...",  //
    "...oo..PP..oo...",  //
    ".BBBBBBBBBBBBBB.",  //
    ".BLLLLLLLLLLLLB.",  //
    ".BLBBBBBBBBBBLB.",  //
    ".BLBBBBBBBBBBLB.",  //
    ".BLBBBBBBBBBBLB.",  //
    ".BLBBBBBBBBBBLB.",  //
    ".BLBBBBBBBBBBLB.",  //
    ".BLBBBBBBBBBBLB.",  //
    ".BLLLLLLLLLLLLB.",  //
    ".BBBBBBBBBBBBBB.",  //
    "...oo..PP..oo...",  //
    "...oo..PP..oo...",  //
    "................",  //
};

int Alpha(std::uint32_t c) {
  return static_cast<int>(c >> 24);
}
int Red(std::uint32_t c) {
  return static_cast<int>((c >> 16) & 0xFF);
}
int Green(std::uint32_t c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
int Blue(std::uint32_t c) {
  return static_cast<int>(c & 0xFF);
}
bool IsNeutral(std::uint32_t c) {
  return Red(c) == Green(c) && Green(c) == Blue(c);
}
// Lighter: no channel darker, and the colour as a whole brighter.
bool IsLighter(std::uint32_t lighter, std::uint32_t than) {
  return Red(lighter) >= Red(than) && Green(lighter) >= Green(than) && Blue(lighter) >= Blue(than) &&
         Red(lighter) + Green(lighter) + Blue(lighter) > Red(than) + Green(than) + Blue(than);
}

std::string Hex(std::uint32_t c) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(c));
  return text;
}

struct TPictureCase {
  const char* Name;
  TChipPicture Picture;
  std::uint32_t Body;
  // Colours that only the green chip fixes; the grey chip chooses its own greys.
  bool Grey;
};

const TPictureCase Pictures[] = {
    {"idle (green)", TChipPicture::Idle, 0xFF43A047, false},
    {"cleaning (grey)", TChipPicture::Cleaning, 0xFF848484, true},
};

TEST(ChipPicture, SixteenPixelsFollowTheDesignExactly) {
  for (const auto& c : Pictures) {
    SCOPED_TRACE(c.Name);
    const TArgbImage image = DrawChipPicture(c.Picture, 16);
    ASSERT_EQ(image.Size, 16);
    ASSERT_EQ(image.Pixels.size(), 256u);

    // Every pixel of one letter has one colour: the first one met.
    std::uint32_t colorOf[128] = {};
    bool seen[128] = {};
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const auto letter = static_cast<unsigned char>(Design16[y][x]);
        const std::uint32_t pixel = image.At(x, y);
        if (!seen[letter]) colorOf[letter] = pixel;
        seen[letter] = true;
        EXPECT_EQ(Hex(pixel), Hex(colorOf[letter])) << "'" << Design16[y][x] << "' at (" << x << ", " << y << ")";
        if (c.Grey) {
          EXPECT_TRUE(IsNeutral(pixel)) << Hex(pixel) << " at (" << x << ", " << y << ") is not grey";
        }
      }
    }

    // Transparent pixels are transparent black, which keeps the icon's AND-mask idiom exact.
    EXPECT_EQ(Hex(colorOf['.']), "00000000");
    EXPECT_EQ(Hex(colorOf['B']), Hex(c.Body));

    const std::uint32_t outline = colorOf['L'];
    EXPECT_EQ(Alpha(outline), 255);
    EXPECT_TRUE(IsLighter(outline, c.Body)) << Hex(outline) << " is not lighter than the body";

    const std::uint32_t middlePin = colorOf['P'];
    const std::uint32_t outerPin = colorOf['o'];
    EXPECT_EQ(Alpha(middlePin), 255);
    EXPECT_EQ(Alpha(outerPin), 128) << "outer pins are half transparent";
    EXPECT_TRUE(IsLighter(outerPin, middlePin)) << Hex(outerPin) << " is not lighter than " << Hex(middlePin);
    if (!c.Grey) {
      EXPECT_EQ(Hex(middlePin), "FFFF9800");
      EXPECT_TRUE(Green(outline) > Red(outline) && Green(outline) > Blue(outline)) << Hex(outline) << " is not green";
      EXPECT_TRUE(Red(outerPin) > Green(outerPin) && Green(outerPin) > Blue(outerPin))
          << Hex(outerPin) << " is not orange";
    }
  }
}

TEST(ChipPicture, ThirtyTwoPixelsAreTheDesignAtTwiceTheScale) {
  for (const auto& c : Pictures) {
    SCOPED_TRACE(c.Name);
    const TArgbImage small = DrawChipPicture(c.Picture, 16);
    const TArgbImage large = DrawChipPicture(c.Picture, 32);
    ASSERT_EQ(large.Size, 32);
    int wrong = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        if (large.At(x, y) != small.At(x / 2, y / 2) && ++wrong <= 5)
          ADD_FAILURE() << "(" << x << ", " << y << ") is " << Hex(large.At(x, y)) << ", expected "
                        << Hex(small.At(x / 2, y / 2));
    EXPECT_EQ(wrong, 0);
  }
}

// Runs of equal colour along a line of pixels: the structure of the drawing at any size.
struct TRun {
  std::uint32_t Color;
  int Length;
};
std::vector<TRun> Runs(const TArgbImage& image, int x, int y, int dx, int dy, int count) {
  std::vector<TRun> runs;
  for (int i = 0; i < count; ++i, x += dx, y += dy) {
    const std::uint32_t pixel = image.At(x, y);
    if (runs.empty() || runs.back().Color != pixel) runs.push_back({pixel, 0});
    ++runs.back().Length;
  }
  return runs;
}
std::string Describe(const std::vector<TRun>& runs) {
  std::string text;
  for (const auto& run : runs) text += Hex(run.Color) + "x" + std::to_string(run.Length) + " ";
  return text;
}

TEST(ChipPicture, EverySizeIsTheSameCrispSymmetricDesign) {
  for (const auto& c : Pictures) {
    const TArgbImage design = DrawChipPicture(c.Picture, 16);
    const std::set<std::uint32_t> palette(design.Pixels.begin(), design.Pixels.end());
    const std::uint32_t transparent = 0, body = c.Body, outline = design.At(2, 4);
    const std::uint32_t middlePin = design.At(7, 1), outerPin = design.At(3, 1);

    for (const int size : {20, 24, 32, 40, 48, 64, 256}) {
      SCOPED_TRACE(std::string(c.Name) + " at " + std::to_string(size) + " px");
      const TArgbImage image = DrawChipPicture(c.Picture, size);
      ASSERT_EQ(image.Size, size);
      ASSERT_EQ(image.Pixels.size(), static_cast<std::size_t>(size) * size);

      // Crisp: no colour that a resampled picture would blend in between.
      int strays = 0, asymmetric = 0;
      for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
          const std::uint32_t pixel = image.At(x, y);
          if (palette.count(pixel) == 0 && ++strays <= 3)
            ADD_FAILURE() << Hex(pixel) << " at (" << x << ", " << y << ") is not a colour of the design";
          if ((pixel != image.At(size - 1 - x, y) || pixel != image.At(x, size - 1 - y)) && ++asymmetric <= 3)
            ADD_FAILURE() << "(" << x << ", " << y << ") differs from its mirror images";
        }
      }
      EXPECT_EQ(strays, 0);
      EXPECT_EQ(asymmetric, 0);

      // Down the centre line: space, the middle pin, then the body with its outline.
      const auto column = Runs(image, size / 2, 0, 0, 1, size / 2);
      ASSERT_EQ(column.size(), 5u) << Describe(column);
      EXPECT_EQ(column[0].Color, transparent) << Describe(column);
      EXPECT_EQ(column[1].Color, middlePin) << Describe(column);
      EXPECT_EQ(column[2].Color, body) << Describe(column);
      EXPECT_EQ(column[3].Color, outline) << Describe(column);
      EXPECT_EQ(column[4].Color, body) << Describe(column);
      EXPECT_EQ(column[2].Length, column[3].Length) << "the outline lies one stroke inside the edge";

      // Across the middle: space, then the body's edge, the outline and the inside of the body.
      const auto row = Runs(image, 0, size / 2, 1, 0, size / 2);
      ASSERT_EQ(row.size(), 4u) << Describe(row);
      EXPECT_EQ(row[0].Color, transparent) << Describe(row);
      EXPECT_EQ(row[1].Color, body) << Describe(row);
      EXPECT_EQ(row[2].Color, outline) << Describe(row);
      EXPECT_EQ(row[3].Color, body) << Describe(row);
      EXPECT_EQ(row[1].Length, row[2].Length) << Describe(row);
      EXPECT_EQ(row[2].Length, column[3].Length) << "one stroke all round";

      // Across the pins: three of one even width, the outer ones lighter.
      const auto pins = Runs(image, 0, column[0].Length, 1, 0, size);
      ASSERT_EQ(pins.size(), 7u) << Describe(pins);
      const std::uint32_t expected[] = {transparent, outerPin, transparent, middlePin,
                                        transparent, outerPin, transparent};
      for (int i = 0; i < 7; ++i) EXPECT_EQ(pins[i].Color, expected[i]) << Describe(pins);
      EXPECT_EQ(pins[1].Length, pins[3].Length) << Describe(pins);
      EXPECT_EQ(pins[3].Length % 2, 0) << "an even width centres the middle pin";
      EXPECT_GT(pins[2].Length, 0);
    }
  }
}

TEST(ChipPicture, SizesOutOfRangeGiveAnEmptyImage) {
  for (const int size : {-16, 0, 1, 15, MaxChipPictureSize + 1}) {
    const TArgbImage image = DrawChipPicture(TChipPicture::Idle, size);
    EXPECT_EQ(image.Size, 0) << size;
    EXPECT_TRUE(image.Pixels.empty()) << size;
    EXPECT_EQ(image.At(0, 0), 0u) << size;
  }
  EXPECT_EQ(DrawChipPicture(TChipPicture::Cleaning, MaxChipPictureSize).Size, MaxChipPictureSize);
}

TEST(ChipPicture, ReadsOutsideThePictureAreTransparent) {
  const TArgbImage image = DrawChipPicture(TChipPicture::Idle, 16);
  for (const auto& [x, y] : {std::pair{-1, 5}, {16, 5}, {5, -1}, {5, 16}, {1 << 30, 1 << 30}})
    EXPECT_EQ(image.At(x, y), 0u) << x << ", " << y;
}

}  // namespace
