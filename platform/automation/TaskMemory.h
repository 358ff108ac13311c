// The COM task allocator: memory one side allocates and the other frees, as
// monikers hand out their display names.
#pragma once

#include <cstddef>

void* CoTaskMemAlloc(std::size_t bytes);
void CoTaskMemFree(void* memory);
