// libxml2's defaults are tuned for convenience; documents here may come from
// a registry value or a file the user can replace, so the parser is told to
// trust nothing beyond the bytes it was given.
#include "platform/xml/SafeParse.h"

#include <libxml/parser.h>

#include <climits>
#include <memory>
#include <string>

#include "platform/xml/XmlErrorCapture.h"

namespace platform::xml_detail {
namespace {

xmlParserInputPtr RefuseEntity(void*, const xmlChar*, const xmlChar*) { return nullptr; }

void IgnoreExternalSubset(void*, const xmlChar*, const xmlChar*, const xmlChar*) {}

struct ContextDeleter {
  void operator()(xmlParserCtxtPtr context) const { xmlFreeParserCtxt(context); }
};

// Without XML_PARSE_NOENT, XML_PARSE_DTDLOAD, XML_PARSE_DTDVALID and
// XML_PARSE_HUGE on purpose.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

}  // namespace

xmlDocPtr ParseDocument(std::string_view bytes, std::string_view baseName, XmlParseError& error) {
  error = XmlParseError();
  if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
    error.reason = "the document is larger than the parser takes";
    return nullptr;
  }

  const ScopedXmlErrorCapture capture;
  std::unique_ptr<xmlParserCtxt, ContextDeleter> context(xmlNewParserCtxt());
  if (!context || context->sax == nullptr) {
    error.reason = "the parser cannot be created";
    return nullptr;
  }
  context->sax->resolveEntity = RefuseEntity;
  context->sax->externalSubset = IgnoreExternalSubset;

  const std::string url{baseName};
  xmlDocPtr doc = xmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()),
                                    url.empty() ? nullptr : url.c_str(), nullptr, kParseOptions);
  // An undeclared prefix leaves libxml2's tree usable but is a fatal error
  // for a namespace-aware parser like the one the product was written for.
  if (doc != nullptr && (!context->wellFormed || !context->nsWellFormed)) {
    xmlFreeDoc(doc);
    doc = nullptr;
  }
  if (doc == nullptr) {
    error = capture.FirstError();
    if (error.reason.empty()) error.reason = "the document is not well-formed";
  }
  return doc;
}

}  // namespace platform::xml_detail
