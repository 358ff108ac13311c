#include "tools/refservice/SoapRequest.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>
#include <mutex>

#include "tools/refservice/SoapEnvelope.h"

namespace refservice {

namespace {

struct DocumentDeleter {
  void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
using DocumentPtr = std::unique_ptr<xmlDoc, DocumentDeleter>;

struct XmlStringDeleter {
  void operator()(xmlChar* text) const { xmlFree(text); }
};
using XmlStringPtr = std::unique_ptr<xmlChar, XmlStringDeleter>;

std::string_view View(const xmlChar* text) {
  return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

bool IsNamed(const xmlNode* node, std::string_view namespaceUri, std::string_view localName) {
  return node && node->type == XML_ELEMENT_NODE && View(node->name) == localName && node->ns &&
         View(node->ns->href) == namespaceUri;
}

const xmlNode* FirstElement(const xmlNode* node) {
  for (; node; node = node->next) {
    if (node->type == XML_ELEMENT_NODE) return node;
  }
  return nullptr;
}

bool IsNil(xmlNode* node) {
  XmlStringPtr value(
      xmlGetNsProp(node, BAD_CAST "nil", BAD_CAST std::string(kXsiNamespace).c_str()));
  return value && (View(value.get()) == "true" || View(value.get()) == "1");
}

std::string TextOf(const xmlNode* node) {
  XmlStringPtr content(xmlNodeGetContent(node));
  return std::string(View(content.get()));
}

}  // namespace

const SoapParameter* SoapCall::Find(std::string_view name) const {
  for (const auto& parameter : parameters) {
    if (parameter.name == name) return &parameter;
  }
  return nullptr;
}

SoapParseResult ParseSoapCall(std::string_view body) {
  static std::once_flag initialised;
  std::call_once(initialised, [] { xmlInitParser(); });

  SoapParseResult result;
  // No network, no DTD loading, no entity substitution: the request is
  // untrusted input.
  DocumentPtr document(xmlReadMemory(body.data(), static_cast<int>(body.size()), "request.xml",
                                     nullptr,
                                     XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (!document) {
    result.error = "Server was unable to read request. The request is not well-formed XML.";
    return result;
  }
  const xmlNode* envelope = xmlDocGetRootElement(document.get());
  if (!envelope || View(envelope->name) != "Envelope") {
    result.error = "Server was unable to read request. The root element is not a SOAP Envelope.";
    return result;
  }
  if (!IsNamed(envelope, kSoapEnvelopeNamespace, "Envelope")) {
    result.versionMismatch = true;
    result.error = "Possible SOAP version mismatch: Envelope namespace was unexpected.";
    return result;
  }
  const xmlNode* child = FirstElement(envelope->children);
  if (IsNamed(child, kSoapEnvelopeNamespace, "Header")) child = FirstElement(child->next);
  if (!IsNamed(child, kSoapEnvelopeNamespace, "Body")) {
    result.error = "Server was unable to read request. The envelope has no Body.";
    return result;
  }
  const xmlNode* wrapper = FirstElement(child->children);
  if (!wrapper) {
    result.error = "Server was unable to read request. The Body is empty.";
    return result;
  }

  SoapCall call;
  call.operation = std::string(View(wrapper->name));
  if (wrapper->ns) call.namespaceUri = std::string(View(wrapper->ns->href));
  for (xmlNode* node = wrapper->children; node; node = node->next) {
    if (node->type != XML_ELEMENT_NODE) continue;
    SoapParameter parameter;
    parameter.name = std::string(View(node->name));
    parameter.nil = IsNil(node);
    parameter.text = TextOf(node);
    for (xmlNode* item = node->children; item; item = item->next) {
      if (item->type != XML_ELEMENT_NODE) continue;
      if (IsNil(item)) {
        parameter.items.emplace_back(std::nullopt);
      } else {
        parameter.items.emplace_back(TextOf(item));
      }
    }
    call.parameters.push_back(std::move(parameter));
  }
  result.call = std::move(call);
  return result;
}

}  // namespace refservice
