#pragma once

#include "memory/MemoryApi.h"
#include "memory/MemoryStatus.h"

// Fills physical and commit figures always; the file-cache figures only when the
// file-cache query succeeds (they are left as they were otherwise). Never reports an error.
void QueryMemoryStatus(MemoryStatus& status, const TMemoryApi& api);
void QueryMemoryStatus(MemoryStatus& status);
