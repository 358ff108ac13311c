// Incremental reader of HTTP/1.1 requests: bytes are fed as they come off
// the socket, in any split, and complete requests are taken out one by one
// (pipelined requests stay buffered). Bodies are framed by Content-Length or
// chunked transfer coding; anything else is a bad request.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "tools/refservice/HttpMessage.h"

namespace refservice {

class HttpRequestReader {
 public:
  enum class State { kNeedMore, kComplete, kBadRequest, kHeadTooLarge, kBodyTooLarge };

  static constexpr std::size_t kMaxHeadBytes = 64 * 1024;
  static constexpr std::size_t kMaxBodyBytes = 16 * 1024 * 1024;

  // Appends bytes and parses as far as they allow.
  State Feed(std::string_view bytes);
  State state() const { return state_; }

  // True once per request when its head asked "Expect: 100-continue" and
  // the body has not fully arrived yet: the caller owes an interim answer.
  bool TakeContinueRequest();

  // Hands out the complete request and starts on the next one (which may
  // already be complete: check state()).
  HttpRequest Take();

 private:
  State Parse();
  State ParseHead();
  State ParseChunks();

  std::string buffer_;
  State state_ = State::kNeedMore;
  bool headParsed_ = false;
  bool chunked_ = false;
  bool continuePending_ = false;
  std::size_t bodyStart_ = 0;
  std::size_t contentLength_ = 0;
  std::size_t chunkCursor_ = 0;  // next unparsed byte of chunked framing
  std::size_t requestEnd_ = 0;
  HttpRequest request_;
};

}  // namespace refservice
