#pragma once

#include "memory/MemoryApi.h"

// One system-wide purge: trim the file cache, empty every working set, purge the
// low-priority standby pages, then the whole standby list, flush the modified list and
// combine identical pages. Every step is issued whatever the previous one returned.
void CleanMemory(const TMemoryApi& api);
void CleanMemory();

// Switches a privilege of this process's token; true when the last error is 0 afterwards.
bool EnablePrivilege(const wchar_t* privilegeName, bool enable, const TMemoryApi& api);
bool EnablePrivilege(const wchar_t* privilegeName, bool enable);
