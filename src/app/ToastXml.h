#pragma once

#include <string>
#include <string_view>

// The document of one completion toast: the generic toast template with the title and
// the body as its two text lines. Both texts are escaped for XML, and characters that
// XML 1.0 does not allow are dropped (control characters, U+FFFE, U+FFFF) or replaced by
// U+FFFD (a surrogate without its partner), so no text can break the document.
std::u16string ToastXml(std::u16string_view title, std::u16string_view body);

// One text escaped for XML content or attribute values, as ToastXml uses it.
std::u16string EscapeXmlText(std::u16string_view text);
