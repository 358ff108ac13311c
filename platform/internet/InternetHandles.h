// The stand-in's handle tree: what each open HINTERNET stands for, which
// handle it was opened from, and its time-outs. Every record holds a full
// copy of what a send needs, so a send works from a snapshot taken under the
// table's lock and never holds the lock while it waits on the network.
// Thread-safe.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "platform/internet/WinInet.h"

namespace platform::internet {

enum class HandleKind { kSession, kConnection, kRequest };

struct Timeouts {
  DWORD connectMs = 60000;
  DWORD sendMs = 30000;
  DWORD receiveMs = 30000;
};

// What a request sends and where, filled in level by level: the session
// sets the agent, the connection the server, the request the rest.
struct RequestTarget {
  std::optional<std::string> userAgent;
  std::string serverName;
  INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
  std::string verb;
  std::string target;  // the request line's target, already checked and escaped
};

struct HandleRecord {
  HandleKind kind = HandleKind::kSession;
  std::uintptr_t parent = 0;  // 0 for a session
  Timeouts timeouts;
  RequestTarget request;
};

class HandleTable {
 public:
  static HandleTable& Instance();

  HINTERNET OpenSession(RequestTarget request);
  // Opens a child of `parent`, which must be open and of `parentKind`: it
  // starts as a copy of the parent's record and `fill` adds its own part.
  // Null with `error` set otherwise.
  HINTERNET OpenChild(HINTERNET parent, HandleKind parentKind,
                      const std::function<void(RequestTarget&)>& fill, DWORD& error);
  // A copy of the record of an open handle of `kind`; null with `error` set
  // otherwise.
  std::optional<HandleRecord> Find(HINTERNET handle, HandleKind kind, DWORD& error) const;
  // Sets one time-out of an open handle of any kind: 0, or ERROR_INVALID_HANDLE.
  DWORD SetTimeout(HINTERNET handle, DWORD Timeouts::*timeout, DWORD milliseconds);
  // Closes the handle and everything opened from it; false when it is not open.
  bool Close(HINTERNET handle);

 private:
  HINTERNET AddLocked(HandleRecord record);

  mutable std::mutex mutex_;
  std::map<std::uintptr_t, HandleRecord> records_;  // guarded by mutex_
  // Guarded by mutex_. Keys start at 1, so a null handle is never found.
  std::uintptr_t nextHandle_ = 1;
};

}  // namespace platform::internet
