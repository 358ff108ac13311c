// Per-thread COM initialisation, counted like the real runtime: the first
// CoInitialize(Ex) on a thread answers S_OK, nested ones S_FALSE, and each
// successful call must be paired with one CoUninitialize. A request for the
// other concurrency model fails with RPC_E_CHANGED_MODE and is not counted
// (so it must not be paired). CoUninitialize on an uninitialised thread does
// nothing. Tests read ComInitCount() to check that code pairs its calls.
#pragma once

#include "platform/com/HResult.h"

#if defined(_WIN32)
#include <objbase.h>
#else
#include "platform/com/ComInit_linux.h"
#endif

namespace platform {

// Outstanding successful initialisations on the calling thread.
ULONG ComInitCount() noexcept;

// Initialises COM for a scope and uninitialises it on exit if (and only if)
// the initialisation succeeded.
class ScopedComInit {
 public:
  explicit ScopedComInit(DWORD concurrencyModel = COINIT_APARTMENTTHREADED);
  ~ScopedComInit();
  ScopedComInit(const ScopedComInit&) = delete;
  ScopedComInit& operator=(const ScopedComInit&) = delete;

  HRESULT Result() const noexcept { return result_; }

 private:
  HRESULT result_;
};

}  // namespace platform
