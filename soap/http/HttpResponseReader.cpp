#include "soap/http/HttpResponseReader.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

#include "soap/http/AsciiCase.h"

namespace soap {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Whether a comma-separated header value lists `token` (lower-case).
bool ListsToken(const std::string& value, std::string_view token) {
  std::string lower = LowerAscii(value);
  std::string_view rest = lower;
  while (!rest.empty()) {
    std::size_t comma = rest.find(',');
    if (TrimBlanks(rest.substr(0, comma)) == token) return true;
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return false;
}

bool IsInterim(int status) { return status >= 100 && status <= 199 && status != 101; }

}  // namespace

bool HttpResponseReader::ReadHead() {
  status_ = kInvalidStatus;
  headers_.Clear();
  failure_ = HttpFailure::kNone;
  connectionWillClose_ = false;
  bodyState_ = BodyState::kFailed;  // until the framing is known
  remaining_ = 0;
  bodyDelivered_ = 0;
  trailerCount_ = 0;

  // Interim answers ("100 Continue" and the other 1xx) carry headers of
  // their own that say nothing about the final response.
  for (int interim = 0;; ++interim) {
    if (!ReadStatusLine()) return false;
    if (!IsInterim(status_)) break;
    if (interim == kMaxInterimResponses) return Reject(HttpFailure::kLimitExceeded);
    std::size_t ignoredCount = 0;
    if (!ReadHeaderLines(ignoredCount, false)) return false;
  }
  std::size_t count = 0;
  return ReadHeaderLines(count, true) && DecideFraming();
}

bool HttpResponseReader::ReadStatusLine() {
  switch (ReadLine(kMaxStatusLineLength)) {
    case LineResult::kClosed:
      return Reject(HttpFailure::kPrematureClose);
    case LineResult::kFailed:
      return false;
    case LineResult::kLine:
      break;
  }
  // "HTTP/1.x SSS[ reason]"
  std::string_view line = line_;
  if (line.size() < 12 || line.substr(0, 7) != "HTTP/1." || !IsDigit(line[7]) || line[8] != ' ' ||
      !IsDigit(line[9]) || !IsDigit(line[10]) || !IsDigit(line[11]) ||
      (line.size() > 12 && line[12] != ' ')) {
    return Reject(HttpFailure::kMalformedStatusLine);
  }
  int status = (line[9] - '0') * 100 + (line[10] - '0') * 10 + (line[11] - '0');
  if (status < 100 || status > 599) return Reject(HttpFailure::kMalformedStatusLine);
  status_ = status;
  http10_ = line[7] == '0';
  return true;
}

bool HttpResponseReader::ReadHeaderLines(std::size_t& count, bool keep) {
  for (;;) {
    switch (ReadLine(kMaxHeaderLineLength)) {
      case LineResult::kClosed:
        return Reject(HttpFailure::kPrematureClose);
      case LineResult::kFailed:
        return false;
      case LineResult::kLine:
        break;
    }
    if (line_.empty()) return true;
    if (++count > kMaxHeaderCount) return Reject(HttpFailure::kLimitExceeded);
    if (!keep) continue;
    std::string_view line = line_;
    if (line.front() == ' ' || line.front() == '\t') {
      // An obsolete folded line continues the previous header's value.
      if (!headers_.AppendToLast(TrimBlanks(line))) return Reject(HttpFailure::kMalformedHeader);
      continue;
    }
    std::size_t colon = line.find(':');
    std::string_view name = line.substr(0, colon);
    if (colon == std::string_view::npos || name.empty() ||
        name.find_first_of(" \t") != std::string_view::npos) {
      return Reject(HttpFailure::kMalformedHeader);
    }
    headers_.Add(name, TrimBlanks(line.substr(colon + 1)));
  }
}

bool HttpResponseReader::DecideFraming() {
  auto connection = headers_.Find("Connection");
  connectionWillClose_ = connection ? ListsToken(*connection, "close") : false;
  if (http10_ && !(connection && ListsToken(*connection, "keep-alive")))
    connectionWillClose_ = true;

  if (status_ == 204 || status_ == 304) {
    bodyState_ = BodyState::kDone;
    return true;
  }

  // Chunked wins over Content-Length: a response carrying both is framed by
  // its chunks, and the length is ignored.
  if (auto encoding = headers_.Find("Transfer-Encoding")) {
    std::string lower = LowerAscii(*encoding);
    std::string_view rest = lower;
    bool chunked = false;
    while (!rest.empty()) {
      std::size_t comma = rest.find(',');
      std::string_view coding = TrimBlanks(rest.substr(0, comma));
      if (coding == "chunked" && !chunked) {
        chunked = true;
      } else if (!coding.empty() && coding != "identity") {
        // A compressed body, or chunked twice: nothing this client can decode.
        return Reject(HttpFailure::kUnsupportedEncoding);
      }
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
    if (chunked) {
      bodyState_ = BodyState::kChunkSize;
      return true;
    }
  }

  if (auto length = headers_.Find("Content-Length")) {
    std::uint64_t value = 0;
    const char* first = length->data();
    const char* last = first + length->size();
    auto [end, error] = std::from_chars(first, last, value);
    if (length->empty() || !IsDigit(length->front()) || error != std::errc() || end != last) {
      return Reject(HttpFailure::kBadContentLength);
    }
    if (value > kMaxBodyBytes) return Reject(HttpFailure::kLimitExceeded);
    remaining_ = value;
    bodyState_ = value == 0 ? BodyState::kDone : BodyState::kFixedLength;
    return true;
  }

  // Neither framing: the body is whatever arrives until the peer closes,
  // which also means the connection cannot carry another request.
  connectionWillClose_ = true;
  bodyState_ = BodyState::kToClose;
  return true;
}

std::ptrdiff_t HttpResponseReader::ReadBody(std::span<char> buffer) {
  if (buffer.empty()) return bodyState_ == BodyState::kDone ? 0 : -1;
  for (;;) {
    switch (bodyState_) {
      case BodyState::kNone:
      case BodyState::kFailed:
        return -1;
      case BodyState::kDone:
        return 0;

      case BodyState::kFixedLength: {
        std::ptrdiff_t read = DeliverData(buffer, remaining_);
        if (read == 0) return Fail(HttpFailure::kPrematureClose);
        if (read < 0) return read;
        remaining_ -= static_cast<std::uint64_t>(read);
        if (remaining_ == 0) bodyState_ = BodyState::kDone;
        return read;
      }

      case BodyState::kToClose: {
        std::ptrdiff_t read = DeliverData(buffer, kMaxBodyBytes - bodyDelivered_ + 1);
        if (read == 0) bodyState_ = BodyState::kDone;
        if (read > 0 && bodyDelivered_ > kMaxBodyBytes) return Fail(HttpFailure::kLimitExceeded);
        return read;
      }

      case BodyState::kChunkSize:
        switch (ReadLine(kMaxHeaderLineLength)) {
          case LineResult::kClosed:
            return Fail(HttpFailure::kPrematureClose);
          case LineResult::kFailed:
            return -1;
          case LineResult::kLine:
            break;
        }
        if (!ParseChunkSize()) return -1;
        bodyState_ = remaining_ == 0 ? BodyState::kTrailers : BodyState::kChunkData;
        continue;

      case BodyState::kChunkData: {
        std::ptrdiff_t read = DeliverData(buffer, remaining_);
        if (read == 0) return Fail(HttpFailure::kPrematureClose);
        if (read < 0) return read;
        remaining_ -= static_cast<std::uint64_t>(read);
        if (remaining_ == 0) bodyState_ = BodyState::kChunkEnd;
        return read;
      }

      case BodyState::kChunkEnd:
        switch (ReadLine(kMaxHeaderLineLength)) {
          case LineResult::kClosed:
            return Fail(HttpFailure::kPrematureClose);
          case LineResult::kFailed:
            return -1;
          case LineResult::kLine:
            break;
        }
        if (!line_.empty()) return Fail(HttpFailure::kBadChunk);
        bodyState_ = BodyState::kChunkSize;
        continue;

      case BodyState::kTrailers:
        switch (ReadLine(kMaxHeaderLineLength)) {
          case LineResult::kClosed:
            return Fail(HttpFailure::kPrematureClose);
          case LineResult::kFailed:
            return -1;
          case LineResult::kLine:
            break;
        }
        if (line_.empty()) {
          bodyState_ = BodyState::kDone;
          return 0;
        }
        // Trailers are read past, never used; only their number is bounded.
        if (++trailerCount_ > kMaxHeaderCount) return Fail(HttpFailure::kLimitExceeded);
        continue;
    }
  }
}

bool HttpResponseReader::DiscardBody() {
  std::array<char, kHttpBlockSize> sink;
  for (;;) {
    std::ptrdiff_t read = ReadBody(sink);
    if (read == 0) return true;
    if (read < 0) return false;
  }
}

bool HttpResponseReader::ParseChunkSize() {
  // "<hex>[ ][;extension...]": the extensions mean nothing to us.
  std::string_view line = line_;
  std::size_t digits = 0;
  std::uint64_t size = 0;
  const std::uint64_t allowed = kMaxBodyBytes - bodyDelivered_;
  for (; digits < line.size() && HexValue(line[digits]) >= 0; ++digits) {
    size = size * 16 + static_cast<std::uint64_t>(HexValue(line[digits]));
    // Checked per digit, so the value can never wrap around.
    if (size > allowed) return Reject(HttpFailure::kLimitExceeded);
  }
  std::string_view rest = TrimBlanks(line.substr(digits));
  if (digits == 0 || (!rest.empty() && rest.front() != ';')) return Reject(HttpFailure::kBadChunk);
  remaining_ = size;
  return true;
}

HttpResponseReader::LineResult HttpResponseReader::ReadLine(std::size_t limit) {
  line_.clear();
  for (;;) {
    if (blockBegin_ == blockEnd_) {
      if (sourceEnded_) return LineResult::kClosed;
      if (!Fill())
        return failure_ == HttpFailure::kNone ? LineResult::kClosed : LineResult::kFailed;
    }
    const char* begin = block_.data() + blockBegin_;
    std::size_t available = blockEnd_ - blockBegin_;
    const void* newline = std::memchr(begin, '\n', available);
    std::size_t take = newline ? static_cast<const char*>(newline) - begin : available;
    // The limit counts the line without its CR; one byte more may be that CR.
    if (line_.size() + take > limit + 1) {
      Fail(HttpFailure::kLimitExceeded);
      return LineResult::kFailed;
    }
    line_.append(begin, take);
    blockBegin_ += take;
    if (newline) {
      ++blockBegin_;
      if (!line_.empty() && line_.back() == '\r') line_.pop_back();
      if (line_.size() > limit) {
        Fail(HttpFailure::kLimitExceeded);
        return LineResult::kFailed;
      }
      return LineResult::kLine;
    }
  }
}

bool HttpResponseReader::Fill() {
  std::ptrdiff_t read = source_.ReadSome(block_);
  if (read < 0 || read > static_cast<std::ptrdiff_t>(block_.size())) {
    Fail(HttpFailure::kReceiveFailed);
    return false;
  }
  if (read == 0) {
    sourceEnded_ = true;
    return false;
  }
  blockBegin_ = 0;
  blockEnd_ = static_cast<std::size_t>(read);
  return true;
}

std::ptrdiff_t HttpResponseReader::DeliverData(std::span<char> buffer, std::uint64_t limit) {
  std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), limit));
  std::size_t read = 0;
  if (blockBegin_ < blockEnd_) {
    read = std::min(want, blockEnd_ - blockBegin_);
    std::memcpy(buffer.data(), block_.data() + blockBegin_, read);
    blockBegin_ += read;
  } else {
    // Nothing buffered: receive straight into the caller's buffer.
    if (sourceEnded_) return 0;
    std::ptrdiff_t received = source_.ReadSome(buffer.first(want));
    if (received < 0 || received > static_cast<std::ptrdiff_t>(want)) {
      return Fail(HttpFailure::kReceiveFailed);
    }
    if (received == 0) {
      sourceEnded_ = true;
      return 0;
    }
    read = static_cast<std::size_t>(received);
  }
  bodyDelivered_ += read;
  return static_cast<std::ptrdiff_t>(read);
}

std::ptrdiff_t HttpResponseReader::Fail(HttpFailure failure) {
  failure_ = failure;
  bodyState_ = BodyState::kFailed;
  return -1;
}

bool HttpResponseReader::Reject(HttpFailure failure) {
  Fail(failure);
  return false;
}

}  // namespace soap
