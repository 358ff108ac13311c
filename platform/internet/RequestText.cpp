#include "platform/internet/RequestText.h"

#include <algorithm>

#include "platform/text/PercentEncode.h"

namespace platform::internet {
namespace {

bool IsControl(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

// WinINet sends a space as %20 and keeps the request line ASCII.
bool EscapedInRequestTarget(unsigned char byte) { return byte == ' ' || byte > 0x7F; }

bool IsAsciiAlphanumeric(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

std::optional<std::string> RequestTargetOf(std::string_view objectName) {
  if (std::any_of(objectName.begin(), objectName.end(),
                  [](char c) { return IsControl(static_cast<unsigned char>(c)); })) {
    return std::nullopt;
  }
  const std::string escaped = PercentEncode(objectName, EscapedInRequestTarget);
  return objectName.empty() || objectName.front() != '/' ? "/" + escaped : escaped;
}

bool IsPlainServerName(std::string_view serverName) {
  if (serverName.empty() || serverName.size() > 255) return false;
  for (char c : serverName) {
    if (!IsAsciiAlphanumeric(c) && c != '-' && c != '.' && c != '_') return false;
  }
  return true;
}

bool IsToken(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!IsAsciiAlphanumeric(c) &&
        std::string_view("!#$%&'*+-.^_`|~").find(c) == std::string_view::npos) {
      return false;
    }
  }
  return true;
}

bool IsHeaderText(std::string_view text) {
  for (char c : text) {
    if (c != '\t' && IsControl(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

std::optional<std::vector<std::string>> SplitHeaderLines(std::string_view headers) {
  std::vector<std::string> lines;
  while (!headers.empty()) {
    const std::size_t end = headers.find("\r\n");
    const std::string_view line = headers.substr(0, end);
    headers = end == std::string_view::npos ? std::string_view() : headers.substr(end + 2);
    if (line.empty()) continue;
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || !IsToken(line.substr(0, colon)) ||
        !IsHeaderText(line.substr(colon + 1))) {
      return std::nullopt;
    }
    lines.emplace_back(line);
  }
  return lines;
}

}  // namespace platform::internet
