#pragma once

#include <windows.h>

#include "win32/UniqueOwner.h"

// Owns an open registry key and closes it once.
using TRegistryKey = TUniqueOwner<HKEY, &::RegCloseKey, TOwnedKind::Handle>;
