#pragma once

#include <string>
#include <string_view>

// A request header's value as it may be sent: printable ASCII only. Anything else (a line
// break that would start a header of its own, other control or non-ASCII characters that
// could make every request fail) is sent as the empty value.
std::u16string HeaderValue(std::u16string_view value);
