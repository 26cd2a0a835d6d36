#pragma once

#include "ui/Color.h"

// The product's accent colour, #3D84DD: the buttons' blue and the active window's top line.
inline constexpr TColor AccentBlue = 0x00DD843D;
