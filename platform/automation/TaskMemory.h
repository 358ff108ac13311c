// The COM task allocator: memory one side allocates and the other frees, as
// monikers hand out their display names.
#pragma once

#include <cstddef>

#if defined(_WIN32)
#include <objbase.h>
#else
#include "platform/automation/TaskMemory_linux.h"
#endif
