#pragma once

#include <string_view>

// The shell call behind ShellOpen. Tests replace Open to see what would be opened.
struct TShellApi {
  void (*Open)(const wchar_t* target);
};
TShellApi& ShellApi();

// Opens a web link in the user's browser with the verb "open", shown normally. Only
// absolute http and https URLs are opened; anything else is quietly ignored, as is a
// shell that cannot open the link.
void ShellOpen(std::u16string_view target);
