#include "app/NumberFormat.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

constexpr unsigned DefaultPrecision = 2;
constexpr unsigned MaxPrecision = 18;

// Room for a sign, a carry digit, the 309 integer digits of the largest double, the point
// and one decimal beyond the largest precision.
using TDigitBuffer = std::array<char, 2 + 309 + 1 + MaxPrecision + 1>;

// True when the exact value of Magnitude lies halfway between two numbers of Precision
// decimals. Magnitude = M / 2^k with M odd is such a tie exactly when k = Precision + 1:
// then Magnitude × 10^Precision × 2 = M × 5^Precision × 2^(Precision + 1 - k) is odd.
bool IsHalfway(double magnitude, unsigned precision) {
  if (magnitude == 0) return false;
  int exponent = 0;
  const double fraction = std::frexp(magnitude, &exponent);
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  const int fractionBits = 53 - exponent - std::countr_zero(mantissa);
  return fractionBits == static_cast<int>(precision) + 1;
}

// Adds one to the last digit of [first, last), carrying to the left over the point; a carry
// out of the first digit writes a "1" just before First and returns the new start.
char* RoundUpLastDigit(char* first, char* last) {
  for (char* p = last; p != first;) {
    --p;
    if (*p == '.') continue;
    if (*p != '9') {
      ++*p;
      return first;
    }
    *p = '0';
  }
  *--first = '1';
  return first;
}

// The plain text of a number: an optional minus, digits, and a point before Precision
// decimals. Non-finite values print as "NAN", "INF" and "-INF".
std::string_view PlainNumber(double value, unsigned precision, TDigitBuffer& buffer) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  const double magnitude = std::fabs(value);
  char* const digits = buffer.data() + 2;
  char* first = digits;
  char* last = nullptr;
  if (IsHalfway(magnitude, precision)) {
    // to_chars breaks exact ties towards even; print the one more decimal the tie has
    // (exactly, a final 5), drop it and round up.
    last = std::to_chars(digits, buffer.data() + buffer.size(), magnitude, std::chars_format::fixed, precision + 1).ptr;
    --last;
    if (precision == 0) --last;  // the point
    first = RoundUpLastDigit(digits, last);
  } else {
    last = std::to_chars(digits, buffer.data() + buffer.size(), magnitude, std::chars_format::fixed, precision).ptr;
  }
  const bool zero =
      std::string_view(first, static_cast<std::size_t>(last - first)).find_first_not_of("0.") == std::string_view::npos;
  if (value < 0 && !zero) *--first = '-';
  return {first, static_cast<std::size_t>(last - first)};
}

// Walks the format once, handing each literal piece and each number (as plain text) to
// the sink; the same walk measures the result and then writes it.
template <typename TSink>
void WalkFormat(std::u16string_view format, std::initializer_list<double> args, TSink&& sink) {
  const double* nextArg = args.begin();
  std::size_t literalStart = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != u'%') continue;
    sink.Literal(format.substr(literalStart, i - literalStart));
    const std::size_t directive = i++;
    if (i < format.size() && format[i] == u'%') {
      sink.Literal(u"%");
      literalStart = i + 1;
      continue;
    }
    unsigned precision = DefaultPrecision;
    if (i < format.size() && format[i] == u'.') {
      const std::size_t digitsStart = ++i;
      precision = 0;
      for (; i < format.size() && format[i] >= u'0' && format[i] <= u'9'; ++i) {
        precision = precision * 10 + static_cast<unsigned>(format[i] - u'0');
        if (precision > MaxPrecision) {
          throw TFormatError("format: more than 18 decimals at position " + std::to_string(directive));
        }
      }
      if (i == digitsStart)
        throw TFormatError("format: precision without digits at position " + std::to_string(directive));
    }
    if (i >= format.size() || (format[i] != u'n' && format[i] != u'N')) {
      throw TFormatError("format: unsupported conversion at position " + std::to_string(directive));
    }
    if (nextArg == args.end()) {
      throw TFormatError("format: no number left for the conversion at position " + std::to_string(directive));
    }
    TDigitBuffer buffer;
    sink.Number(PlainNumber(*nextArg++, precision, buffer));
    literalStart = i + 1;
  }
  sink.Literal(format.substr(literalStart));
}

// Calls Digit for each character of a plain number and Separator where the thousands
// separator goes; the point becomes the decimal separator.
template <typename TDigit, typename TSeparator>
void GroupNumber(std::string_view plain, TDigit&& digit, TSeparator&& separator) {
  const std::size_t signLength = (!plain.empty() && plain.front() == '-') ? 1 : 0;
  const std::size_t point = plain.find('.');
  const std::size_t integerEnd = point == std::string_view::npos ? plain.size() : point;
  const bool grouped = plain.find_first_not_of("-0123456789.") == std::string_view::npos;
  for (std::size_t i = 0; i < plain.size(); ++i) {
    // A separator goes before every integer digit but the first that has a multiple of
    // three digits from it to the point.
    if (grouped && i > signLength && i < integerEnd && (integerEnd - i) % 3 == 0) separator(false);
    if (i == point) {
      separator(true);
    } else {
      digit(plain[i]);
    }
  }
}

}  // namespace

std::u16string FormatNumbers(std::u16string_view format, std::initializer_list<double> args,
                             const TNumberFormat& numbers) {
  struct TMeasure {
    const TNumberFormat& Numbers;
    std::size_t Length = 0;
    void Literal(std::u16string_view text) { Length += text.size(); }
    void Number(std::string_view plain) {
      GroupNumber(
          plain, [this](char) { ++Length; },
          [this](bool decimal) {
            Length += decimal ? Numbers.DecimalSeparator.size() : Numbers.ThousandSeparator.size();
          });
    }
  };
  struct TWrite {
    const TNumberFormat& Numbers;
    std::u16string& Text;
    void Literal(std::u16string_view text) { Text.append(text); }
    void Number(std::string_view plain) {
      GroupNumber(
          plain, [this](char c) { Text.push_back(static_cast<char16_t>(c)); },
          [this](bool decimal) { Text.append(decimal ? Numbers.DecimalSeparator : Numbers.ThousandSeparator); });
    }
  };

  TMeasure measure{numbers};
  WalkFormat(format, args, measure);
  std::u16string text;
  text.reserve(measure.Length);
  WalkFormat(format, args, TWrite{numbers, text});
  return text;
}
