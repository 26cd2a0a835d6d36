#pragma once

#include <string_view>

// Whether a link may be handed to the shell. This process runs elevated and opens links
// that arrive in the web service's answer, so only absolute http and https URLs pass: a
// path, a share, another scheme or a program would otherwise run with its rights. The
// scheme ignores ASCII case; the URL must name a host and hold no control characters.
bool IsWebLink(std::u16string_view target);
