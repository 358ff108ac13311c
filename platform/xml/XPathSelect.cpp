// XPath evaluation with the document's selection namespaces bound. A fresh
// context per query keeps queries independent and the error handler silent:
// a bad expression is the caller's "nothing selected", not console noise.
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <memory>

#include "platform/text/CodePage.h"
#include "platform/xml/XmlDocument.h"
#include "platform/xml/XmlTree.h"

namespace platform::xml_detail {
namespace {

void IgnoreError(void*, xmlErrorPtr) {}

struct ContextDeleter {
  void operator()(xmlXPathContextPtr context) const { xmlXPathFreeContext(context); }
};
struct ObjectDeleter {
  void operator()(xmlXPathObjectPtr object) const { xmlXPathFreeObject(object); }
};

}  // namespace

std::string ToUtf8(std::string_view ansi) { return WideToUtf8(AnsiToWide(ansi)); }

std::string ToAnsi(const xmlChar* utf8) {
  if (utf8 == nullptr) return {};
  return WideToAnsi(Utf8ToWide(reinterpret_cast<const char*>(utf8)));
}

std::vector<xmlNodePtr> SelectElements(xmlDocPtr doc, xmlNodePtr context,
                                       std::string_view expression, const Namespaces& namespaces) {
  std::unique_ptr<xmlXPathContext, ContextDeleter> xpath(xmlXPathNewContext(doc));
  if (!xpath) return {};
  xpath->error = IgnoreError;
  xpath->node = context;
  for (const auto& [prefix, uri] : namespaces) {
    const std::string prefixUtf8 = ToUtf8(prefix);
    const std::string uriUtf8 = ToUtf8(uri);
    if (xmlXPathRegisterNs(xpath.get(), reinterpret_cast<const xmlChar*>(prefixUtf8.c_str()),
                           reinterpret_cast<const xmlChar*>(uriUtf8.c_str())) != 0) {
      return {};
    }
  }
  const std::string expressionUtf8 = ToUtf8(expression);
  std::unique_ptr<xmlXPathObject, ObjectDeleter> result(
      xmlXPathEval(reinterpret_cast<const xmlChar*>(expressionUtf8.c_str()), xpath.get()));
  if (!result || result->type != XPATH_NODESET || result->nodesetval == nullptr) return {};

  std::vector<xmlNodePtr> elements;
  const xmlNodeSetPtr nodes = result->nodesetval;
  for (int i = 0; i < nodes->nodeNr; ++i) {
    if (nodes->nodeTab[i] != nullptr && nodes->nodeTab[i]->type == XML_ELEMENT_NODE) {
      elements.push_back(nodes->nodeTab[i]);
    }
  }
  return elements;
}

}  // namespace platform::xml_detail
