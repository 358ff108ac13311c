#include "platform/com/ComInit.h"

namespace {

// The calling thread's apartment: how often it was initialised and with
// which model (meaningful only while the count is above zero).
struct ThreadApartment {
  ULONG count = 0;
  DWORD model = COINIT_APARTMENTTHREADED;
};

thread_local ThreadApartment tApartment;

DWORD ModelOf(DWORD flags) { return flags & COINIT_APARTMENTTHREADED; }

}  // namespace

HRESULT CoInitializeEx(void* reserved, DWORD concurrencyModel) {
  if (reserved != nullptr) return E_INVALIDARG;
  const DWORD model = ModelOf(concurrencyModel);
  if (tApartment.count == 0) {
    tApartment.model = model;
    tApartment.count = 1;
    return S_OK;
  }
  if (tApartment.model != model) return RPC_E_CHANGED_MODE;
  ++tApartment.count;
  return S_FALSE;
}

HRESULT CoInitialize(void* reserved) { return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED); }

void CoUninitialize() {
  if (tApartment.count > 0) --tApartment.count;
}

namespace platform {

ULONG ComInitCount() noexcept { return tApartment.count; }

}  // namespace platform
