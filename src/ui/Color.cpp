#include "ui/Color.h"

#include <algorithm>
#include <atomic>

namespace {

std::atomic<TSystemColorResolver> SystemColorResolver{nullptr};

bool IsSpecialColor(TColor color) {
  return color == clNone || color == clDefault;
}

// Nearest integer of numerator / 100, halves away from zero, without floating point.
int DivideByHundredRounded(int numerator) {
  return numerator >= 0 ? (numerator + 50) / 100 : -((-numerator + 50) / 100);
}

std::uint8_t LightenChannel(int value, int percent) {
  // Widened so that no percent can overflow the product.
  const long long distance = static_cast<long long>(255 - value) * percent;
  const long long bounded = std::clamp<long long>(distance, -25500, 25500);
  const int lightened = value + DivideByHundredRounded(static_cast<int>(bounded));
  return static_cast<std::uint8_t>(std::clamp(lightened, 0, 255));
}

}  // namespace

void SetSystemColorResolver(TSystemColorResolver resolver) {
  SystemColorResolver.store(resolver);
}

TColor ColorToRGB(TColor color) {
  if (!IsSystemColor(color)) return color & 0x00FFFFFF;
  const TSystemColorResolver resolver = SystemColorResolver.load();
  return resolver ? resolver(SystemColorIndex(color)) & 0x00FFFFFF : clBlack;
}

TColor Lighten(TColor color, int percent) {
  if (IsSpecialColor(color)) return color;
  const TColor rgb = ColorToRGB(color);
  return RGBColor(LightenChannel(RedOf(rgb), percent), LightenChannel(GreenOf(rgb), percent),
                  LightenChannel(BlueOf(rgb), percent));
}

TColor ToGray(TColor color) {
  if (IsSpecialColor(color)) return color;
  const TColor topByte = IsSystemColor(color) ? 0 : color & 0xFF000000;
  const TColor rgb = ColorToRGB(color);
  const int weighted = 299 * RedOf(rgb) + 587 * GreenOf(rgb) + 114 * BlueOf(rgb);
  const auto gray = static_cast<std::uint8_t>((weighted + 500) / 1000);
  return topByte | RGBColor(gray, gray, gray);
}
