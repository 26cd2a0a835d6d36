#pragma once

#include <string>
#include <string_view>
#include <vector>

// The loaded translation table: every line of the resource in order, empty lines
// included, since the empty lines are what separates one entry from the next.
using TTranslationTable = std::vector<std::u16string>;

// Decodes the resource bytes (UTF-8, byte-order mark optional) and splits them at line
// ends (CR LF, CR or LF). A final line end closes the last line rather than opening an
// empty one. Malformed UTF-8 decodes to U+FFFD instead of failing the whole table.
TTranslationTable ParseTranslationTable(std::string_view bytes);

// The name of a line is the text before its first "=", its text everything after it.
// A line without "=" has an empty name and an empty text.
std::u16string_view LineName(std::u16string_view line);
std::u16string_view LineText(std::u16string_view line);
