#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// The service's answer is read as text with fixed markers, not parsed as JSON: keys match
// whatever the ASCII case of their letters, but no white space may stand between the colon
// and the value, and the first occurrence wins.

// Raised for a "\u" escape whose characters are not a hexadecimal number, or one with no
// characters left at the end of the value. The answer is then not acted upon at all.
class TUnescapeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The characters of Text between the first StartMarker and the first EndMarker after it,
// both found ignoring the case of ASCII letters. An empty StartMarker begins at the start,
// an empty EndMarker runs to the end; a marker that is not found gives an empty result.
// When EndMarker is a lone double quote or apostrophe, a quote after a backslash does not
// end the value. The pairs are masked left to right, so after an escaped backslash the quote
// is masked too and the value runs on to the next quote that is not masked.
std::u16string ExtractBetween(std::u16string_view text, std::u16string_view startMarker, std::u16string_view endMarker);

// Resolves the escapes of a quoted value: \" \' \/ \\ give the second character, \b \f \n
// \r \t their control characters, \uXXXX one UTF-16 code unit (so a surrogate pair written
// as two escapes gives one character; fewer than four digits are taken at the very end).
// Any other escaped character is dropped with its backslash, as is a trailing backslash.
// Throws TUnescapeError for a "\u" that is not followed by hexadecimal digits.
std::u16string UnescapeJson(std::u16string_view value);

// The fields of one answer. Update and Info come from the body, Info as its raw text up to
// its first closing brace; Style, Text, Flag and Url come from the info text. Every field
// that is absent reads as empty.
struct TServiceAnswer {
  std::u16string Update, Info, Style, Text, Flag, Url;
};

// The update link alone: what decides whether the prompt appears. Throws TUnescapeError.
std::u16string ReadUpdateLink(std::u16string_view body);

// Every field of the answer. Throws TUnescapeError when any of them has a bad "\u" escape.
TServiceAnswer ReadServiceAnswer(std::u16string_view body);
