// Win32 names of the registry: predefined root keys, value types, access
// rights and the LSTATUS error codes the registry functions return. Values
// are the Windows ones so stored data and product code match the original,
// and a Windows backend can swap this header for <windows.h>.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/registry/RegistryTypes_linux.h"
#endif

