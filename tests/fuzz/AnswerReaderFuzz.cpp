// Runs the answer reader on arbitrary text, as an answer from the network may be, and checks
// what must hold whatever the text: a bad escape is the reader's one refusal, and every field
// is a piece of the text it was read from, never longer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "update/AnswerReader.h"

namespace {

void Require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

bool Contains(std::u16string_view text, std::u16string_view part) {
  return text.find(part) != std::u16string_view::npos;
}

// The first byte picks how the rest becomes text: one byte per code unit finds the ASCII
// keys quickly, two bytes per code unit reach surrogates and every other code unit.
std::u16string TextOf(const std::uint8_t* data, std::size_t size) {
  std::u16string text;
  if (size == 0) return text;
  const bool wide = (data[0] & 1) != 0;
  for (std::size_t i = 1; i < size; i += wide ? 2 : 1) {
    const unsigned high = wide && i + 1 < size ? data[i + 1] : 0;
    text.push_back(static_cast<char16_t>(data[i] | (high << 8)));
  }
  return text;
}

void CheckUnescape(std::u16string_view value) {
  try {
    const std::u16string result = UnescapeJson(value);
    Require(result.size() <= value.size(), "unescaping never lengthens a value");
    if (!Contains(value, u"\\")) Require(result == value, "text without a backslash stays as it is");
  } catch (const TUnescapeError&) {
    Require(Contains(value, u"\\u"), "only a \\u escape is refused");
  }
}

void CheckAnswer(std::u16string_view body) {
  try {
    const TServiceAnswer answer = ReadServiceAnswer(body);
    Require(answer.Update.size() <= body.size(), "the link is no longer than the body");
    Require(Contains(body, answer.Info), "the info text is a piece of the body");
    Require(!Contains(answer.Info, u"}"), "the info text ends at its first closing brace");
    for (const std::u16string* field : {&answer.Style, &answer.Text, &answer.Flag, &answer.Url}) {
      Require(field->size() <= answer.Info.size(), "a notice field is no longer than the info text");
    }
    Require(ReadUpdateLink(body) == answer.Update, "the link reads the same on its own");
  } catch (const TUnescapeError&) {
    Require(Contains(body, u"\\u"), "only a \\u escape is refused");
  }
}

// Text of the form start, U+0001, end, U+0001, rest: arbitrary markers, not only the keys.
void CheckExtract(std::u16string_view text) {
  const std::size_t first = text.find(u'\x01');
  if (first == std::u16string_view::npos) return;
  const std::size_t second = text.find(u'\x01', first + 1);
  if (second == std::u16string_view::npos) return;
  const std::u16string_view start = text.substr(0, first);
  const std::u16string_view end = text.substr(first + 1, second - first - 1);
  const std::u16string_view rest = text.substr(second + 1);
  const std::u16string value = ExtractBetween(rest, start, end);
  Require(Contains(rest, value), "the value is a piece of the text");
  if (start.empty() && end.empty()) Require(value == rest, "no markers give the whole text");
  CheckUnescape(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string text = TextOf(data, size);
  CheckAnswer(text);
  CheckUnescape(text);
  CheckExtract(text);
  return 0;
}
