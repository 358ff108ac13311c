// Connection points: how an object with outgoing events (the browser) lets
// sinks subscribe. A sink asks the container for the point of an event
// interface and calls Advise with itself; the cookie it gets back is what it
// gives to Unadvise. The interfaces are the Windows ones minus the two
// enumerators, which nothing in the product walks.
//
// platform::ConnectionPoint is the point an event source embeds (one per
// event interface). It shares its owner's reference count, as ATL's
// connection points do, so a point handed out keeps its source alive. Events
// go to every connected sink in the order they connected; a sink may
// unadvise itself or others while an event is being delivered: a sink that
// was unadvised before its turn is skipped, one advised during delivery
// waits for the next event. The sink list is locked only while it is read or
// changed, never during a call into a sink.
#pragma once

#include <mutex>
#include <vector>

#include "platform/automation/Dispatch.h"
#include "platform/com/ComPtr.h"

#if defined(_WIN32)
#include <ocidl.h>
#else
#include "platform/automation/ConnectionPoint_linux.h"
#endif

// AtlAdvise / AtlUnadvise: find the point for `iid` on `source` and connect
// or disconnect `sink`.
HRESULT AtlAdvise(IUnknown* source, IUnknown* sink, REFIID iid, DWORD* cookie);
HRESULT AtlUnadvise(IUnknown* source, REFIID iid, DWORD cookie);

namespace platform {

class ConnectionPoint final : public IConnectionPoint {
 public:
  // `owner` is the source's identity (its reference count is shared);
  // `container` is how the source answers IConnectionPointContainer.
  ConnectionPoint(IUnknown* owner, IConnectionPointContainer* container, const IID& iid);
  ConnectionPoint(const ConnectionPoint&) = delete;
  ConnectionPoint& operator=(const ConnectionPoint&) = delete;
  ~ConnectionPoint() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return owner_->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return owner_->Release(); }

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE
  GetConnectionPointContainer(IConnectionPointContainer** container) override;
  // CONNECT_E_CANNOTCONNECT when the sink does not implement the event
  // interface. Cookies start at 1 and are never reused.
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  // CONNECT_E_NOCONNECTION for a cookie that is not connected.
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  // Enumerating the sinks is optional for a connection point; nobody asks.
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override {
    if (connections != nullptr) *connections = nullptr;
    return E_NOTIMPL;
  }

  const IID& Iid() const { return iid_; }
  std::size_t ConnectionCount() const;

  // Calls Invoke(id, DISPATCH_METHOD, params) on every connected sink in
  // connection order; the sinks' results are ignored, as a browser ignores
  // them. Arguments a sink changes (Cancel) are seen by the next sink and by
  // the caller.
  void Fire(DISPID id, DISPPARAMS& params);
  // Drops every connection (the source is going away).
  void DisconnectAll();

 private:
  struct Connection {
    DWORD cookie;
    ComPtr<IDispatch> sink;
  };

  bool IsConnected(DWORD cookie) const;

  IUnknown* owner_;
  IConnectionPointContainer* container_;
  IID iid_{};
  mutable std::mutex mutex_;  // guards connections_ and nextCookie_
  std::vector<Connection> connections_;
  DWORD nextCookie_ = 1;
};

}  // namespace platform
