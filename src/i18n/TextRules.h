#pragma once

#include <string>
#include <string_view>

// Every translated text turns each backslash-n pair into one carriage return, which is
// how the table writes a line break.
std::u16string ConvertEscapes(std::u16string_view text);

// Ordinal comparison that ignores case for A-Z only; every other character, accented
// and Cyrillic letters included, must match exactly.
bool SameTextAscii(std::u16string_view left, std::u16string_view right);
