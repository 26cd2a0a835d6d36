#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

// The separators of the user's regional settings; the defaults are those of a machine
// whose settings cannot be read.
struct TNumberFormat {
  std::u16string ThousandSeparator = u",";
  std::u16string DecimalSeparator = u".";
};

// Thrown when a format text does not fit its arguments (unknown conversion, too few args...).
class TFormatError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Fills a status-line format with numbers. Understood are "%n" (thousands separators, two
// decimals), "%.Pn" with P from 0 to 18 decimals (the status lines use "%.0n"), "%N" and
// "%.PN" alike, and "%%" for a percent sign; every other character is copied as it stands.
// The numbers are taken in order; extra ones are ignored. Digits are grouped by three.
// Rounding is to the nearest printed digit, halves away from zero, as Windows' own number
// formatting does (0.125 prints "0.13"); a number that rounds to zero prints without sign.
// Throws TFormatError for any other "%" directive or when the numbers run out. The result
// is allocated once, at its exact length.
std::u16string FormatNumbers(std::u16string_view format, std::initializer_list<double> args,
                             const TNumberFormat& numbers);
