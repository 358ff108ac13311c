// Win32 names of the registry: predefined root keys, value types, access
// rights and the LSTATUS error codes the registry functions return. Values
// are the Windows ones so stored data and product code match the original,
// which takes them from <windows.h>.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/registry/RegistryTypes_linux.h"
#endif
