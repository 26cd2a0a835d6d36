#include "autostart/DurationString.h"

namespace {

std::u16string Decimal(int value) {
  const std::string digits = std::to_string(value);
  return {digits.begin(), digits.end()};
}

}  // namespace

std::u16string DurationString(int seconds) {
  const int minutes = seconds / 60;
  const int rest = seconds - 60 * minutes;
  std::u16string text = u"PT";
  if (minutes > 0) text += Decimal(minutes) + u"M";
  if (rest > 0) text += Decimal(rest) + u"S";
  if (minutes <= 0 && rest <= 0) text += u"0S";
  return text;
}
