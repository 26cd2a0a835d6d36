#pragma once

#include <string_view>

// Equal when they differ at most in the case of the ASCII letters A-Z. Bytes outside ASCII
// are compared as they are, whatever the C locale says, so style names match the same way
// on every machine.
bool SameTextAscii(std::string_view left, std::string_view right);
