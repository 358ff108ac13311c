#include "platform/com/ComInit.h"

namespace platform {

ScopedComInit::ScopedComInit(DWORD concurrencyModel)
    : result_(CoInitializeEx(nullptr, concurrencyModel)) {}

ScopedComInit::~ScopedComInit() {
  if (SUCCEEDED(result_)) CoUninitialize();
}

}  // namespace platform
