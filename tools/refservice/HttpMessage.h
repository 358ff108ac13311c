// The HTTP/1.1 request as the reference service received it, and the answer a
// handler gives back. The answer also carries the wire-level misbehaviours
// (delay, chunking, truncation, dropping the connection) so the server, not
// the handlers, is the only code that touches sockets.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace refservice {

using HeaderList = std::vector<std::pair<std::string, std::string>>;

// Case-insensitive lookup of the first header of that name.
std::optional<std::string> FindHeader(const HeaderList& headers, std::string_view name);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

struct HttpRequest {
  std::string raw;  // every byte of this request as it arrived, framing included
  std::string method;
  std::string target;   // as on the request line
  std::string path;     // target without query; always starts with "/"
  std::string query;    // after "?", without it
  std::string version;  // "HTTP/1.1"
  HeaderList headers;
  std::string body;  // decoded (chunk framing removed)
  std::size_t connectionId = 0;
};

struct HttpAnswer {
  int status = 200;
  HeaderList headers;  // Content-Length / Transfer-Encoding / Connection are added by the server
  std::string body;

  std::chrono::milliseconds delay{0};            // wait before anything is written
  std::size_t chunkSize = 0;                     // >0: chunked framing with chunks of this size
  std::optional<std::size_t> truncateBodyAfter;  // send only this many body bytes, then close
  bool closeWithoutAnswer = false;
  bool closeAfterAnswer = false;
};

std::string_view ReasonPhrase(int status);

// Splits "key=value&key2=value2" and percent-decodes ("+" is a space).
std::vector<std::pair<std::string, std::string>> ParseQuery(std::string_view query);

}  // namespace refservice
