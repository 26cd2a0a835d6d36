#include "update/VersionFormat.h"

#include <array>

TFileVersion FileVersionOf(std::uint32_t mostSignificant, std::uint32_t leastSignificant) {
  return {static_cast<std::uint16_t>(mostSignificant >> 16), static_cast<std::uint16_t>(mostSignificant & 0xFFFF),
          static_cast<std::uint16_t>(leastSignificant >> 16), static_cast<std::uint16_t>(leastSignificant & 0xFFFF)};
}

std::u16string FormatVersion(std::u16string_view format, const TFileVersion& version) {
  const std::array<std::uint16_t, 4> numbers{version.Major, version.Minor, version.Release, version.Build};
  std::size_t nextNumber = 0;
  std::u16string result;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == u'%' && i + 1 < format.size() && format[i + 1] == u'%') {
      result.push_back(u'%');
      ++i;
    } else if (format[i] == u'%' && i + 1 < format.size() && format[i + 1] == u'd' && nextNumber < numbers.size()) {
      for (const char c : std::to_string(numbers[nextNumber++])) result.push_back(static_cast<char16_t>(c));
      ++i;
    } else {
      result.push_back(format[i]);
    }
  }
  return result;
}
