// Test-only raw HTTP client for the reference service's tests: sends exact
// bytes over a loopback TCP connection and reads answers back with bounded
// waits, so a broken server fails a test instead of hanging it.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "tools/refservice/HttpMessage.h"
#include "tools/refservice/UniqueFd.h"

namespace refservice::testing {

struct ParsedAnswer {
  int status = 0;
  HeaderList headers;
  std::string body;  // chunk framing removed
  std::string raw;   // head and body bytes exactly as received
};

class LoopbackClient {
 public:
  static constexpr int kWaitMilliseconds = 5000;

  explicit LoopbackClient(std::uint16_t port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (::connect(fd_.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      throw std::runtime_error("connect failed");
    }
  }

  void Send(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t sent = ::send(fd_.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
      if (sent <= 0) throw std::runtime_error("send failed");
      bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
  }

  // Everything until the server closes the connection.
  std::string ReadUntilClose() {
    while (Fill()) {
    }
    return std::exchange(buffer_, std::string());
  }

  // One answer, framed by Content-Length or chunked coding; nullopt when the
  // connection closes first.
  std::optional<ParsedAnswer> ReadAnswer() {
    std::size_t headEnd;
    while ((headEnd = buffer_.find("\r\n\r\n")) == std::string::npos) {
      if (!Fill()) return std::nullopt;
    }
    ParsedAnswer answer;
    const std::string head = buffer_.substr(0, headEnd);
    answer.status = std::stoi(head.substr(9, 3));
    std::size_t lineStart = head.find("\r\n");
    while (lineStart != std::string::npos) {
      lineStart += 2;
      const std::size_t lineEnd = head.find("\r\n", lineStart);
      const std::string line = head.substr(lineStart, lineEnd - lineStart);
      const std::size_t colon = line.find(':');
      answer.headers.emplace_back(line.substr(0, colon), line.substr(colon + 2));
      lineStart = lineEnd;
    }
    std::size_t cursor = headEnd + 4;
    if (const auto encoding = FindHeader(answer.headers, "Transfer-Encoding")) {
      while (true) {
        std::size_t lineEnd;
        while ((lineEnd = buffer_.find("\r\n", cursor)) == std::string::npos) {
          if (!Fill()) return std::nullopt;
        }
        const std::size_t size = std::stoul(buffer_.substr(cursor, lineEnd - cursor), nullptr, 16);
        const std::size_t dataEnd = lineEnd + 2 + size + 2;
        while (buffer_.size() < dataEnd) {
          if (!Fill()) return std::nullopt;
        }
        answer.body += buffer_.substr(lineEnd + 2, size);
        cursor = dataEnd;
        if (size == 0) break;
      }
    } else {
      const std::size_t length =
          std::stoul(FindHeader(answer.headers, "Content-Length").value_or("0"));
      while (buffer_.size() < cursor + length) {
        if (!Fill()) return std::nullopt;
      }
      answer.body = buffer_.substr(cursor, length);
      cursor += length;
    }
    answer.raw = buffer_.substr(0, cursor);
    buffer_.erase(0, cursor);
    return answer;
  }

  void Close() { fd_.Reset(); }

 private:
  // Reads one block; false on close, error or time-out.
  bool Fill() {
    pollfd descriptor{fd_.Get(), POLLIN, 0};
    if (::poll(&descriptor, 1, kWaitMilliseconds) <= 0) return false;
    char block[4096];
    const ssize_t got = ::recv(fd_.Get(), block, sizeof block, 0);
    if (got <= 0) return false;
    buffer_.append(block, static_cast<std::size_t>(got));
    return true;
  }

  UniqueFd fd_;
  std::string buffer_;
};

// A complete SOAP 1.1 POST as the toolbar's client writes it.
inline std::string SoapPost(std::string_view path, std::string_view action, std::string_view body,
                            std::string_view extraHeaders = {}) {
  return "POST " + std::string(path) +
         " HTTP/1.1\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nContent-Type: text/xml; charset=utf-8\r\nSOAPAction: \"" + std::string(action) +
         "\"\r\nAccept: text/xml\r\nHost: 127.0.0.1\r\nUser-Agent: Microsoft-ATL-Native/8.00\r\n" +
         std::string(extraHeaders) + "\r\n" + std::string(body);
}

inline std::string SoapEnvelopeFor(std::string_view ns, std::string_view operation,
                                   std::string_view parameters) {
  return "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
         "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
         "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
         "xmlns:soapenc=\"http://schemas.xmlsoap.org/soap/encoding/\"><soap:Body><" +
         std::string(operation) + " xmlns=\"" + std::string(ns) + "\">" + std::string(parameters) +
         "</" + std::string(operation) + "></soap:Body></soap:Envelope>";
}

}  // namespace refservice::testing
