#pragma once

#include <windows.h>

#include "win32/UniqueOwner.h"

// Owns an icon made at run time. (Shared icons from LoadIcon must not be destroyed: do not
// hand them to this owner.)
using TIconHandle = TUniqueOwner<HICON, &::DestroyIcon, TOwnedKind::GdiObject>;
