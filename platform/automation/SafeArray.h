// SAFEARRAY: the one-dimensional arrays of OLE Automation the browser's
// interfaces use: document.write's array of variants and the post data of a
// navigation (bytes). The array owns its elements: destroying an array of
// variants clears each of them.
#pragma once

#include "platform/automation/Variant.h"

#if defined(_WIN32)
#include <oleauto.h>
#else
#include "platform/automation/SafeArray_linux.h"
#endif
