#include <cstdio>
#include <string>

#include "app/UserNumberFormat.h"

namespace {

void PrintCodeUnits(const char* name, const std::u16string& text) {
  std::printf("%s=[", name);
  for (std::size_t i = 0; i < text.size(); ++i) std::printf(i == 0 ? "U+%04X" : " U+%04X", unsigned{text[i]});
  std::printf("]");
}

}  // namespace

// Prints the separators of the user's regional settings as code units, so that blank and
// empty ones show too.
int main() {
  const TNumberFormat numbers = ReadUserNumberFormat();
  PrintCodeUnits("thousand", numbers.ThousandSeparator);
  PrintCodeUnits(" decimal", numbers.DecimalSeparator);
  std::printf("\n");
  return 0;
}
