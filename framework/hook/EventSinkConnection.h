// One event-sink connection to a source's connection point, owned: the
// connection is dropped (Unadvise) when the owner disconnects or goes away,
// so a sink never stays registered with a source that outlives it. The
// hook holds its browser-events connection through it; the connection is
// what keeps the browser -> sink -> hook -> browser cycle closed, and
// Disconnect is what opens it again.
#pragma once

#include "platform/automation/ConnectionPoint.h"
#include "platform/com/ComPtr.h"

namespace framework {

class EventSinkConnection {
 public:
  EventSinkConnection() = default;
  ~EventSinkConnection() { Disconnect(); }
  EventSinkConnection(const EventSinkConnection&) = delete;
  EventSinkConnection& operator=(const EventSinkConnection&) = delete;

  // Connects `sink` to the `events` point of `source`; a connection held
  // before is dropped first. Nothing is kept when the source refuses.
  HRESULT Connect(IUnknown* source, IUnknown* sink, const IID& events);
  void Disconnect();
  bool IsConnected() const { return source_ != nullptr; }

 private:
  platform::ComPtr<IUnknown> source_;
  IID events_{};
  DWORD cookie_ = 0;
};

}  // namespace framework
