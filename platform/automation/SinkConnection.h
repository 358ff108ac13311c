// One event-sink connection to a source's connection point, owned: the
// connection is dropped (Unadvise) when the owner disconnects or goes away,
// so a sink never stays registered with a source that outlives it. A source
// holds its sinks, and a sink's owner often holds the source, so Disconnect
// is also what opens that reference cycle again.
#pragma once

#include "platform/automation/ConnectionPoint.h"
#include "platform/com/ComPtr.h"

namespace platform {

class SinkConnection {
 public:
  SinkConnection() = default;
  ~SinkConnection() { Disconnect(); }
  SinkConnection(const SinkConnection&) = delete;
  SinkConnection& operator=(const SinkConnection&) = delete;

  // Connects `sink` to the `events` point of `source`; a connection held
  // before is dropped first. Nothing is kept when the source refuses.
  HRESULT Connect(IUnknown* source, IUnknown* sink, const IID& events);
  void Disconnect();
  bool IsConnected() const { return source_ != nullptr; }

 private:
  ComPtr<IUnknown> source_;
  IID events_{};
  DWORD cookie_ = 0;
};

}  // namespace platform
