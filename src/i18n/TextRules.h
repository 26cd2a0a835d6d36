#pragma once

#include <string>
#include <string_view>

// SameTextAscii: ordinal comparison that ignores case for A-Z only.
#include "i18n/AsciiText.h"

// Every translated text turns each backslash-n pair into one carriage return, which is
// how the table writes a line break.
std::u16string ConvertEscapes(std::u16string_view text);
