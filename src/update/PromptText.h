#pragma once

#include <string>
#include <string_view>

// The update prompt carries its own texts per language, apart from the translation table.
// Index 0 is the message (three paragraphs with an empty line between them), 1 the caption
// of the Yes button, 2 that of the No button; any other index gives an empty text. The
// language code is compared exactly, case included; a code without a row of its own gets
// the English texts.
std::u16string PromptText(int index, std::u16string_view languageCode);
