#pragma once

#include <string>
#include <string_view>

// The program's title as the user reads it (the main window's translated caption), used
// as the caption of its message boxes. Set once by the main window's creation step.
const std::u16string& ApplicationTitle();
void SetApplicationTitle(std::u16string_view title);
