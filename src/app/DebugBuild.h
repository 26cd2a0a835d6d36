#pragma once

// Off in every shipped build. A developer build turns it on with -DORVANTA_DEBUG_BUILD=ON:
// the window then closes for real instead of hiding to the tray.
#ifdef ORVANTA_DEBUG_BUILD
inline constexpr bool DebugBuild = true;
#else
inline constexpr bool DebugBuild = false;
#endif
