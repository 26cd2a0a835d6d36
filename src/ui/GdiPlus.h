#pragma once

// GDI+ needs the COM declarations that WIN32_LEAN_AND_MEAN leaves out of <windows.h>.
#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

// True once GDI+ runs for this process. The first call starts it (on the user-interface
// thread, where all drawing happens); it shuts down when the process exits normally.
bool GdiPlusReady();
