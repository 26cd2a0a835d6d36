#pragma once

#include <cstdint>

// A colour as the toolkit stores it: red in the low byte, then green, then blue. A top byte
// of 0xFF marks a system colour index (the low byte) that is resolved when drawn.
using TColor = std::uint32_t;

// The toolkit's two special values: "paint nothing" and "use the control's default".
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clWhite = 0x00FFFFFF;
inline constexpr TColor clSilver = 0x00C0C0C0;

inline constexpr TColor SystemColorMark = 0xFF000000;

constexpr TColor RGBColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return TColor{red} | (TColor{green} << 8) | (TColor{blue} << 16);
}
constexpr std::uint8_t RedOf(TColor color) {
  return static_cast<std::uint8_t>(color);
}
constexpr std::uint8_t GreenOf(TColor color) {
  return static_cast<std::uint8_t>(color >> 8);
}
constexpr std::uint8_t BlueOf(TColor color) {
  return static_cast<std::uint8_t>(color >> 16);
}

constexpr bool IsSystemColor(TColor color) {
  return (color & 0xFF000000) == SystemColorMark;
}
constexpr TColor SystemColor(std::uint8_t index) {
  return SystemColorMark | index;
}
constexpr int SystemColorIndex(TColor color) {
  return static_cast<int>(color & 0xFF);
}

// Resolves a system colour index to plain RGB. Portable code cannot ask the system, so the
// Win32 layer installs GetSysColor at start. Without a resolver every system colour reads as
// black, which is also what the system answers for an index it does not know.
using TSystemColorResolver = TColor (*)(int index);
void SetSystemColorResolver(TSystemColorResolver resolver);  // nullptr restores the fallback

// Plain RGB (top byte 0) of a colour; a system colour goes through the resolver.
TColor ColorToRGB(TColor color);

// Moves each channel towards 255 by percent of its distance, rounding halves away from zero;
// channels stay within 0..255 for any percent. clNone and clDefault come back unchanged.
TColor Lighten(TColor color, int percent);

// Luma grey (0.299 R + 0.587 G + 0.114 B, rounded to nearest) in all three channels, keeping
// the top byte. A system colour is resolved first and gives plain RGB, because a kept 0xFF
// top byte would turn the grey into a system colour index. clNone and clDefault are unchanged.
TColor ToGray(TColor color);
