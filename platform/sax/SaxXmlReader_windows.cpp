// The streaming reader on MSXML 3's SAXXMLReader30.
//
// MSXML's reader pulls its input and parses it in one call, so the blocks a
// caller feeds are collected and the document is parsed when Finish says it
// is complete: the handler sees the same events, in the same order, as from
// a reader that parses while it is fed, only later. Before MSXML sees the
// bytes, a document type declaration is refused from the bytes themselves
// (MSXML 3 would expand the entities it declares, and the msxml3 of Wine
// reports none).
#if defined(_WIN32)

#include <string>

#include "platform/automation/Variant.h"
#include "platform/com/ComPtr.h"
#include "platform/sax/ByteStream_windows.h"
#include "platform/sax/SaxEventForwarder_windows.h"
#include "platform/sax/SaxXmlReader.h"
#include "platform/text/WideChars.h"
#include "platform/xml/DocumentProlog.h"
#include "platform/xml/Msxml_windows.h"

namespace platform {
namespace {

// Namespace-aware, namespace declarations left out of the attributes, and
// nothing external ever loaded.
bool SetFeatures(ISAXXMLReader& reader) {
  constexpr struct {
    const char16_t* name;
    bool value;
  } kFeatures[] = {
      {u"http://xml.org/sax/features/namespaces", true},
      {u"http://xml.org/sax/features/namespace-prefixes", false},
      {u"http://xml.org/sax/features/external-general-entities", false},
      {u"http://xml.org/sax/features/external-parameter-entities", false},
  };
  for (const auto& feature : kFeatures) {
    if (FAILED(reader.putFeature(AsWchar(feature.name),
                                 feature.value ? VARIANT_TRUE : VARIANT_FALSE))) {
      return false;
    }
  }
  return true;
}

SaxStatus ParseDocument(std::string_view document, SaxContentHandler& handler) {
  switch (xml_detail::ReadDocumentProlog(document).verdict) {
    case xml_detail::PrologVerdict::kDocumentType:
      return SaxStatus::kDocumentTypeRejected;
    case xml_detail::PrologVerdict::kUnreadable:
      return SaxStatus::kMalformed;
    case xml_detail::PrologVerdict::kNoDocumentType:
      break;
  }
  ComPtr<ISAXXMLReader> reader;
  if (FAILED(CoCreateInstance(msxml::kSaxXmlReader30, nullptr, CLSCTX_INPROC_SERVER,
                              IidOf<ISAXXMLReader>(), reader.ReleaseAndGetVoidAddressOf())) ||
      !SetFeatures(*reader)) {
    return SaxStatus::kMalformed;
  }
  const ComPtr<sax_detail::SaxEventForwarder> events = Make<sax_detail::SaxEventForwarder>(handler);
  if (FAILED(reader->putContentHandler(events.Get())) ||
      FAILED(reader->putErrorHandler(events.Get()))) {
    return SaxStatus::kMalformed;
  }
  const ComPtr<sax_detail::ByteStream> input = Make<sax_detail::ByteStream>(document);
  const HRESULT parsed = reader->parse(Variant(static_cast<IUnknown*>(input.Get())));
  return events->Outcome(parsed);
}

}  // namespace

// The document fed so far.
struct SaxXmlReader::Parser {
  std::string document;
};

SaxXmlReader::SaxXmlReader() : parser_(std::make_unique<Parser>()) {}
SaxXmlReader::~SaxXmlReader() = default;

void SaxXmlReader::SetContentHandler(SaxContentHandler* handler) { handler_ = handler; }

SaxStatus SaxXmlReader::Feed(std::string_view block) {
  if (handler_ == nullptr) return SaxStatus::kNoHandler;
  parser_->document.append(block);
  return SaxStatus::kOk;
}

SaxStatus SaxXmlReader::Finish() {
  if (handler_ == nullptr) return SaxStatus::kNoHandler;
  const std::string document = std::move(parser_->document);
  Abandon();
  return ParseDocument(document, *handler_);
}

void SaxXmlReader::Abandon() { parser_->document = std::string(); }

}  // namespace platform

#endif  // _WIN32
