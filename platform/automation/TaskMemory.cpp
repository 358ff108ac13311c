#include "platform/automation/TaskMemory.h"

#include <cstdlib>

void* CoTaskMemAlloc(std::size_t bytes) { return std::malloc(bytes == 0 ? 1 : bytes); }

void CoTaskMemFree(void* memory) { std::free(memory); }
