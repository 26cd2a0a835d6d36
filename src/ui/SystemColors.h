#pragma once

#include <windows.h>

#include "ui/Color.h"

// Lets the portable colour helpers resolve system colours with the system's values. Called
// once at start-up, before any style is built.
void UseWindowsSystemColors();

// The RGB a colour paints with: a system colour index is asked of the system, clDefault reads
// as defaultIndex's system colour. clNone has no RGB; callers skip what it would paint.
COLORREF ColorToColorRef(TColor color, int defaultIndex);
