#include "platform/automation/SinkConnection.h"

#include <utility>

namespace platform {

HRESULT SinkConnection::Connect(IUnknown* source, IUnknown* sink, const IID& events) {
  Disconnect();
  if (source == nullptr || sink == nullptr) return E_POINTER;
  DWORD cookie = 0;
  const HRESULT hr = AtlAdvise(source, sink, events, &cookie);
  if (FAILED(hr)) return hr;
  source_ = source;
  events_ = events;
  cookie_ = cookie;
  return S_OK;
}

void SinkConnection::Disconnect() {
  // Taken out first: Unadvise releases the sink, whose owner may end up
  // here again while the source lets go of it.
  const ComPtr<IUnknown> source = std::exchange(source_, nullptr);
  if (source) AtlUnadvise(source.Get(), events_, std::exchange(cookie_, 0));
}

}  // namespace platform
