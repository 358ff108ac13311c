// Ways the reference service can be told to misbehave, so integration tests
// drive the client's failure paths over a real socket. A Misbehaviour is set
// for one operation name (e.g. "GetPublicAds") or one path (e.g.
// "/autologin.aspx"), for the next matching request only or until cleared.
// Fields combine: a fault can also be chunked, delayed or truncated.
#pragma once

#include <chrono>
#include <cstddef>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "tools/refservice/HttpMessage.h"
#include "tools/refservice/SoapEnvelope.h"

namespace refservice {

struct Redirect {
  int status = 302;      // 301, 302, 303, 307 or 308
  std::string location;  // sent as the Location header, as given
};

struct Misbehaviour {
  std::optional<int> status;  // answer this status with statusBody instead
  std::string statusBody;
  std::optional<SoapFault> fault;  // answer 500 with this SOAP Fault
  std::optional<Redirect> redirect;
  std::optional<std::string> malformedBody;  // replaces the body, status unchanged
  std::size_t chunkSize = 0;                 // >0: chunked transfer coding
  std::chrono::milliseconds delay{0};
  std::optional<std::size_t> truncateBodyAfter;  // Content-Length stays the full length
  bool closeWithoutAnswer = false;
  bool sticky = false;  // false: applies to the next matching request only

  static Misbehaviour Status(int status, std::string body = {});
  static Misbehaviour Fault(SoapFault fault);
  static Misbehaviour RedirectTo(int status, std::string location);
  static Misbehaviour Malformed(std::string body = "<soap:Envelope><soap:Body><broken");
  static Misbehaviour Chunked(std::size_t chunkSize);
  static Misbehaviour Delay(std::chrono::milliseconds delay);
  static Misbehaviour Truncate(std::size_t bodyBytes);
  static Misbehaviour CloseWithoutAnswer();
  Misbehaviour& Sticky() {
    sticky = true;
    return *this;
  }
};

// Rewrites a normal answer the way the misbehaviour asks.
void ApplyMisbehaviour(const Misbehaviour& misbehaviour, HttpAnswer& answer);

// Thread-safe store of the misbehaviours set from tests.
class MisbehaviourTable {
 public:
  void Set(std::string operationOrPath, Misbehaviour misbehaviour);
  void Clear();
  // The setting for the operation, else for the path; a one-shot setting is
  // removed as it is handed out.
  std::optional<Misbehaviour> Take(std::string_view operation, std::string_view path);

 private:
  std::optional<Misbehaviour> TakeLocked(std::string_view key);

  std::mutex mutex_;
  std::map<std::string, Misbehaviour, std::less<>> settings_;
};

}  // namespace refservice
