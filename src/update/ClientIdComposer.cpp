#include "update/ClientIdComposer.h"

namespace {

constexpr std::uint32_t LargeRandomBound = 2147483647;  // values 0 to 2147483646
constexpr std::uint32_t SmallRandomBound = 65535;       // values 0 to 65534

void AppendHex(std::u16string& out, std::uint32_t value, int digits) {
  constexpr char16_t hexDigits[] = u"0123456789ABCDEF";
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out.push_back(hexDigits[(value >> shift) & 0xF]);
}

void AppendTwoDigits(std::u16string& out, int value) {
  const int twoDigits = ((value % 100) + 100) % 100;
  out.push_back(static_cast<char16_t>(u'0' + twoDigits / 10));
  out.push_back(static_cast<char16_t>(u'0' + twoDigits % 10));
}

}  // namespace

std::u16string ComposeClientId(const TLocalClock& clock, const TRandomBelow& randomBelow) {
  std::u16string id;
  id.reserve(32);
  AppendHex(id, randomBelow(LargeRandomBound), 8);
  const TLocalTime date = clock();
  AppendTwoDigits(id, date.Year);
  AppendTwoDigits(id, date.Month);
  AppendTwoDigits(id, date.Day);
  AppendHex(id, randomBelow(SmallRandomBound), 4);
  const TLocalTime time = clock();
  AppendTwoDigits(id, time.Hour);
  AppendTwoDigits(id, time.Minute);
  AppendTwoDigits(id, time.Second);
  AppendHex(id, randomBelow(LargeRandomBound), 8);
  return id;
}
