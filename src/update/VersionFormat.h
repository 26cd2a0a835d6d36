#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The four numbers of a fixed file version.
struct TFileVersion {
  std::uint16_t Major = 0;
  std::uint16_t Minor = 0;
  std::uint16_t Release = 0;
  std::uint16_t Build = 0;
};

// Splits the two 32-bit halves of a fixed file version into its four numbers.
TFileVersion FileVersionOf(std::uint32_t mostSignificant, std::uint32_t leastSignificant);

// Fills the "%d" fields of Format with Major, Minor, Release and Build, in that order; a
// format with fewer fields leaves the remaining numbers out. "%%" is a percent sign.
// Only these two directives are understood; anything else is copied as it stands, so no
// format can read beyond the four numbers.
std::u16string FormatVersion(std::u16string_view format, const TFileVersion& version);
