// Reads one HTTP/1.x response from a byte source: the status line (skipping
// "100 Continue" interim answers with their headers), the headers, then the
// body decoded as it arrives: de-chunked, or bounded by Content-Length, or up
// to the end of the stream when the response gives neither. Every length the
// peer controls is bounded by HttpLimits.h; nothing is held beyond one block
// and the current line.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "soap/http/HttpByteSource.h"
#include "soap/http/HttpFailure.h"
#include "soap/http/HttpHeaders.h"
#include "soap/http/HttpLimits.h"

namespace soap {

inline constexpr int kInvalidStatus = -1;

class HttpResponseReader {
 public:
  explicit HttpResponseReader(HttpByteSource& source) : source_(source) {}
  HttpResponseReader(const HttpResponseReader&) = delete;
  HttpResponseReader& operator=(const HttpResponseReader&) = delete;

  // Reads the status line and headers and works out how the body is framed.
  // On failure the status stays readable if the status line was read.
  // Bytes already received past the head stay buffered for the body, and
  // bytes past the body for the next response on the same connection.
  bool ReadHead();

  // The decoded body: > 0 bytes copied, 0 at the proper end, < 0 on failure
  // (also after an earlier failure). Never returns more than the buffer holds.
  std::ptrdiff_t ReadBody(std::span<char> buffer);

  // Reads and drops the rest of the body; true when it ended properly.
  bool DiscardBody();

  int Status() const { return status_; }
  const HttpHeaders& Headers() const { return headers_; }
  HttpFailure Failure() const { return failure_; }
  // The peer asked to close ("Connection: close", or HTTP/1.0 without
  // keep-alive), or the body runs to the end of the stream.
  bool ConnectionWillClose() const { return connectionWillClose_; }
  bool BodyComplete() const { return bodyState_ == BodyState::kDone; }

 private:
  enum class BodyState {
    kNone,
    kFixedLength,
    kToClose,
    kChunkSize,
    kChunkData,
    kChunkEnd,
    kTrailers,
    kDone,
    kFailed
  };
  enum class LineResult { kLine, kClosed, kFailed };

  bool ReadStatusLine();
  bool ReadHeaderLines(std::size_t& count, bool keep);
  bool DecideFraming();
  LineResult ReadLine(std::size_t limit);
  bool Fill();
  // Record a failure; the body cannot be read after it.
  std::ptrdiff_t Fail(HttpFailure failure);
  bool Reject(HttpFailure failure);
  std::ptrdiff_t DeliverData(std::span<char> buffer, std::uint64_t limit);
  bool ParseChunkSize();

  HttpByteSource& source_;
  std::array<char, kHttpBlockSize> block_{};
  std::size_t blockBegin_ = 0;
  std::size_t blockEnd_ = 0;
  bool sourceEnded_ = false;
  std::string line_;

  int status_ = kInvalidStatus;
  bool http10_ = false;
  HttpHeaders headers_;
  HttpFailure failure_ = HttpFailure::kNone;
  bool connectionWillClose_ = false;

  BodyState bodyState_ = BodyState::kNone;
  std::uint64_t remaining_ = 0;  // of the fixed body or the current chunk
  std::uint64_t bodyDelivered_ = 0;
  std::size_t trailerCount_ = 0;
};

}  // namespace soap
