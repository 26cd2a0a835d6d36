#pragma once

#include <string>

// An ISO 8601 duration in whole minutes and seconds, the form the task scheduler takes for
// the logon delay: "PT1M30S" for 90, "PT45S", "PT0S" for nothing. Hours are never split out,
// so 3600 is "PT60M".
std::u16string DurationString(int seconds);
