// Helpers for the runtime's tests, benchmark and fuzzer: a response body in
// memory delivered in pieces of a chosen size (or split by a callback), and
// one call that parses it into a parameter block as the client would.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "platform/sax/SaxXmlReader.h"
#include "soap/runtime/CSoapRootHandler.h"
#include "soap/runtime/FieldStorage.h"
#include "soap/runtime/SoapResponsePump.h"
#include "soap/runtime/SoapTestTables.h"
#include "soap/runtime/SoapTypes.h"

namespace soap::testing {

// Reads like CReadStreamOnSocket: at most `pieceSize` bytes per Read, then 0
// at the end, or -1 there when the body is to break off.
class MemoryStream {
 public:
  MemoryStream(std::string_view bytes, std::size_t pieceSize, bool failAtEnd = false)
      : bytes_(bytes), pieceSize_(pieceSize), failAtEnd_(failAtEnd) {}

  std::ptrdiff_t Read(std::span<char> buffer) {
    if (bytes_.empty()) return failAtEnd_ ? -1 : 0;
    const std::size_t size = std::min({pieceSize_, buffer.size(), bytes_.size()});
    std::memcpy(buffer.data(), bytes_.data(), size);
    bytes_.remove_prefix(size);
    return static_cast<std::ptrdiff_t>(size);
  }

 private:
  std::string_view bytes_;
  std::size_t pieceSize_;
  bool failAtEnd_;
};

// The error a client call would report for this body, with the same
// cleanup of a failed parse.
inline SoapClientError ParseBody(const OperationDescriptor& operation, void* block,
                                 std::string_view body, std::size_t pieceSize = 4096,
                                 bool failAtEnd = false) {
  platform::SaxXmlReader reader;
  CSoapRootHandler handler;
  reader.SetContentHandler(&handler);
  handler.BeginParse(operation, block);
  MemoryStream stream(body, pieceSize, failAtEnd);
  SoapClientError error = SoapClientError::kSuccess;
  switch (PumpResponse(stream, reader)) {
    case PumpOutcome::kStreamFailed:
      error = SoapClientError::kSendError;
      break;
    case PumpOutcome::kParseFailed:
      error = handler.OutOfMemory() ? SoapClientError::kOutOfMemory : SoapClientError::kParseError;
      break;
    case PumpOutcome::kParsed:
      if (!handler.Succeeded()) error = SoapClientError::kParseError;
      break;
  }
  if (error != SoapClientError::kSuccess) ResetFields(operation, block, true);
  return error;
}

// A response envelope around `responseContent` the way ASP.NET services
// write one: declaration, prefixes, the response element in the service
// namespace.
inline std::string ResponseEnvelope(std::string_view operation, std::string_view responseContent) {
  std::string document =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
      "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\"><soap:Body><";
  document.append(operation).append("Response xmlns=\"http://vimaru.test/ads/\">");
  document.append(responseContent);
  document.append("</").append(operation).append("Response></soap:Body></soap:Envelope>");
  return document;
}

// A GetPublicAds response with `count` ads of six fields each.
inline std::string PublicAdsResponse(int count) {
  std::string ads = "<GetPublicAdsResult>";
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    ads += "<AdItemResult><Keyword>keyword " + n + "</Keyword><Referer>http://referer.example/" +
           n + "</Referer><Description>Description of advertisement number " + n +
           " with some more text &amp; an entity</Description><Title>Ad title " + n +
           "</Title><ClickUrl>http://click.example/c?id=" + n +
           "&amp;src=toolbar</ClickUrl><Url>http://www.example.com/" + n + "</Url></AdItemResult>";
  }
  ads += "</GetPublicAdsResult>";
  return ResponseEnvelope("GetPublicAds", ads);
}

}  // namespace soap::testing
