// The Linux side of platform/automation/TaskMemory.h: the task allocator.
#pragma once

#include <cstddef>

#include "platform/com/HResult.h"

void* WINAPI CoTaskMemAlloc(std::size_t bytes);
void WINAPI CoTaskMemFree(void* memory);
