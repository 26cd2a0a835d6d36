#pragma once

#include "app/NumberFormat.h"

// The thousands and decimal separators of the user's regional settings. A separator that
// cannot be read keeps its default, as does an empty decimal separator (it would run the
// decimals into the whole number); an empty thousands separator is a valid choice.
TNumberFormat ReadUserNumberFormat();
