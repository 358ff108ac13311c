#include "platform/automation/ConnectionPoint.h"

#include <algorithm>

HRESULT AtlAdvise(IUnknown* source, IUnknown* sink, REFIID iid, DWORD* cookie) {
  if (source == nullptr || cookie == nullptr) return E_INVALIDARG;
  platform::ComPtr<IConnectionPointContainer> container;
  HRESULT hr = source->QueryInterface(IID_PPV_ARGS(container.ReleaseAndGetAddressOf()));
  if (FAILED(hr)) return hr;
  platform::ComPtr<IConnectionPoint> point;
  hr = container->FindConnectionPoint(iid, point.ReleaseAndGetAddressOf());
  if (FAILED(hr)) return hr;
  return point->Advise(sink, cookie);
}

HRESULT AtlUnadvise(IUnknown* source, REFIID iid, DWORD cookie) {
  if (source == nullptr) return E_INVALIDARG;
  platform::ComPtr<IConnectionPointContainer> container;
  HRESULT hr = source->QueryInterface(IID_PPV_ARGS(container.ReleaseAndGetAddressOf()));
  if (FAILED(hr)) return hr;
  platform::ComPtr<IConnectionPoint> point;
  hr = container->FindConnectionPoint(iid, point.ReleaseAndGetAddressOf());
  if (FAILED(hr)) return hr;
  return point->Unadvise(cookie);
}

namespace platform {

ConnectionPoint::ConnectionPoint(IUnknown* owner, IConnectionPointContainer* container,
                                 const IID& iid)
    : owner_(owner), container_(container), iid_(iid) {}

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (iid == nullptr) return E_POINTER;
  *iid = iid_;
  return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (container == nullptr) return E_POINTER;
  *container = container_;
  container_->AddRef();
  return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (cookie == nullptr) return E_POINTER;
  *cookie = 0;
  if (sink == nullptr) return E_POINTER;
  // Event interfaces are dispatch interfaces, so the pointer the sink gives
  // for the event interface is an IDispatch.
  ComPtr<IDispatch> dispatch;
  if (FAILED(sink->QueryInterface(iid_, dispatch.ReleaseAndGetVoidAddressOf()))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  std::lock_guard lock(mutex_);
  *cookie = nextCookie_++;
  connections_.push_back({*cookie, std::move(dispatch)});
  return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
  ComPtr<IDispatch> released;
  {
    std::lock_guard lock(mutex_);
    const auto found = std::find_if(connections_.begin(), connections_.end(),
                                    [cookie](const Connection& c) { return c.cookie == cookie; });
    if (found == connections_.end()) return CONNECT_E_NOCONNECTION;
    released = std::move(found->sink);
    connections_.erase(found);
  }
  // The sink's last reference may go here, outside the lock, so a sink that
  // unadvises from its own destructor path cannot deadlock.
  return S_OK;
}

std::size_t ConnectionPoint::ConnectionCount() const {
  std::lock_guard lock(mutex_);
  return connections_.size();
}

bool ConnectionPoint::IsConnected(DWORD cookie) const {
  std::lock_guard lock(mutex_);
  return std::any_of(connections_.begin(), connections_.end(),
                     [cookie](const Connection& c) { return c.cookie == cookie; });
}

void ConnectionPoint::Fire(DISPID id, DISPPARAMS& params) {
  std::vector<Connection> snapshot;
  {
    std::lock_guard lock(mutex_);
    snapshot = connections_;
  }
  for (const Connection& connection : snapshot) {
    if (!IsConnected(connection.cookie)) continue;
    connection.sink->Invoke(id, GUID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
  }
}

void ConnectionPoint::DisconnectAll() {
  std::vector<Connection> released;
  {
    std::lock_guard lock(mutex_);
    released.swap(connections_);
  }
}

}  // namespace platform
