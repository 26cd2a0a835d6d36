#pragma once

#include <string>
#include <string_view>

// UTF-8 bytes as UTF-16 text. A malformed sequence (overlong, a surrogate, above U+10FFFF,
// cut short) gives one U+FFFD for its lead byte, and decoding goes on after it.
std::u16string DecodeUtf8(std::string_view bytes);
