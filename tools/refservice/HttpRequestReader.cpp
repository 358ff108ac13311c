#include "tools/refservice/HttpRequestReader.h"

#include <cctype>
#include <charconv>

namespace refservice {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Finds the next line starting at `from`; lines end in LF with an optional
// CR before it, which tolerant servers accept from sloppy clients.
bool NextLine(const std::string& buffer, std::size_t from, std::string_view& line,
              std::size_t& next) {
  const std::size_t lf = buffer.find('\n', from);
  if (lf == std::string::npos) return false;
  std::size_t end = lf;
  if (end > from && buffer[end - 1] == '\r') --end;
  line = std::string_view(buffer).substr(from, end - from);
  next = lf + 1;
  return true;
}

bool ParseDecimal(std::string_view text, std::size_t& value) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool ParseChunkSize(std::string_view line, std::size_t& size) {
  // Chunk extensions (";name=value") are allowed and ignored.
  line = Trim(line.substr(0, line.find(';')));
  if (line.empty()) return false;
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), size, 16);
  return error == std::errc() && end == line.data() + line.size();
}

void SplitTarget(HttpRequest& request) {
  std::string_view target = request.target;
  // An absolute-form target (as sent through a proxy) carries scheme and host.
  if (const std::size_t scheme = target.find("://");
      scheme != std::string_view::npos && scheme < target.find('/')) {
    const std::size_t slash = target.find('/', scheme + 3);
    target = slash == std::string_view::npos ? std::string_view("/") : target.substr(slash);
  }
  const std::size_t question = target.find('?');
  request.path = std::string(target.substr(0, question));
  if (question != std::string_view::npos) request.query = std::string(target.substr(question + 1));
  // WinINet-style callers name the object without its leading slash.
  if (request.path.empty() || request.path.front() != '/') request.path = '/' + request.path;
}

}  // namespace

HttpRequestReader::State HttpRequestReader::Feed(std::string_view bytes) {
  if (state_ == State::kNeedMore || state_ == State::kComplete) buffer_.append(bytes);
  if (state_ == State::kNeedMore) state_ = Parse();
  return state_;
}

bool HttpRequestReader::TakeContinueRequest() {
  const bool pending = continuePending_ && state_ == State::kNeedMore;
  continuePending_ = false;
  return pending;
}

HttpRequest HttpRequestReader::Take() {
  HttpRequest request = std::move(request_);
  request.raw = buffer_.substr(0, requestEnd_);
  buffer_.erase(0, requestEnd_);
  request_ = HttpRequest();
  headParsed_ = chunked_ = continuePending_ = false;
  bodyStart_ = contentLength_ = chunkCursor_ = requestEnd_ = 0;
  state_ = Parse();
  return request;
}

HttpRequestReader::State HttpRequestReader::Parse() {
  if (!headParsed_) {
    const State head = ParseHead();
    if (head != State::kComplete) return head;
  }
  if (chunked_) return ParseChunks();
  if (buffer_.size() - bodyStart_ < contentLength_) return State::kNeedMore;
  request_.body = buffer_.substr(bodyStart_, contentLength_);
  requestEnd_ = bodyStart_ + contentLength_;
  return State::kComplete;
}

HttpRequestReader::State HttpRequestReader::ParseHead() {
  std::size_t cursor = 0;
  std::string_view line;
  std::size_t next = 0;
  // Empty lines before a request line are skipped, as RFC 9112 allows.
  while (NextLine(buffer_, cursor, line, next) && line.empty()) cursor = next;
  if (!NextLine(buffer_, cursor, line, next)) {
    return buffer_.size() > kMaxHeadBytes ? State::kHeadTooLarge : State::kNeedMore;
  }
  const std::size_t firstSpace = line.find(' ');
  const std::size_t lastSpace = line.rfind(' ');
  if (firstSpace == std::string_view::npos || lastSpace == firstSpace) return State::kBadRequest;
  request_.method = std::string(line.substr(0, firstSpace));
  request_.target = std::string(Trim(line.substr(firstSpace + 1, lastSpace - firstSpace - 1)));
  request_.version = std::string(line.substr(lastSpace + 1));
  if (request_.target.empty() || request_.version.rfind("HTTP/1.", 0) != 0)
    return State::kBadRequest;
  SplitTarget(request_);

  cursor = next;
  while (true) {
    if (!NextLine(buffer_, cursor, line, next)) {
      return buffer_.size() > kMaxHeadBytes ? State::kHeadTooLarge : State::kNeedMore;
    }
    cursor = next;
    if (line.empty()) break;
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0) return State::kBadRequest;
    request_.headers.emplace_back(std::string(line.substr(0, colon)),
                                  std::string(Trim(line.substr(colon + 1))));
  }
  if (cursor > kMaxHeadBytes) return State::kHeadTooLarge;

  bool sawLength = false;
  for (const auto& [name, value] : request_.headers) {
    if (EqualsIgnoringCase(name, "Transfer-Encoding")) {
      // Only "chunked" as the final coding can be framed by this server.
      std::string_view coding = Trim(value);
      if (const std::size_t comma = coding.rfind(','); comma != std::string_view::npos) {
        coding = Trim(coding.substr(comma + 1));
      }
      if (!EqualsIgnoringCase(coding, "chunked")) return State::kBadRequest;
      chunked_ = true;
    } else if (EqualsIgnoringCase(name, "Content-Length")) {
      std::size_t length = 0;
      if (!ParseDecimal(value, length)) return State::kBadRequest;
      // Two different lengths make the framing ambiguous: a smuggling vector.
      if (sawLength && length != contentLength_) return State::kBadRequest;
      sawLength = true;
      contentLength_ = length;
    }
  }
  if (chunked_) contentLength_ = 0;
  if (contentLength_ > kMaxBodyBytes) return State::kBodyTooLarge;
  if (const auto expect = FindHeader(request_.headers, "Expect");
      expect && EqualsIgnoringCase(*expect, "100-continue")) {
    continuePending_ = true;
  }
  headParsed_ = true;
  bodyStart_ = cursor;
  chunkCursor_ = cursor;
  return State::kComplete;
}

HttpRequestReader::State HttpRequestReader::ParseChunks() {
  std::string_view line;
  std::size_t next = 0;
  while (true) {
    if (!NextLine(buffer_, chunkCursor_, line, next)) return State::kNeedMore;
    std::size_t size = 0;
    if (!ParseChunkSize(line, size)) return State::kBadRequest;
    if (size == 0) {
      // Trailer fields up to the empty line; they are not kept.
      std::size_t cursor = next;
      while (true) {
        if (!NextLine(buffer_, cursor, line, next)) return State::kNeedMore;
        cursor = next;
        if (line.empty()) break;
      }
      requestEnd_ = cursor;
      return State::kComplete;
    }
    if (size > kMaxBodyBytes - request_.body.size()) return State::kBodyTooLarge;
    if (buffer_.size() - next < size + 2) return State::kNeedMore;
    if (buffer_.compare(next + size, 2, "\r\n") != 0) return State::kBadRequest;
    request_.body.append(buffer_, next, size);
    chunkCursor_ = next + size + 2;
  }
}

}  // namespace refservice
