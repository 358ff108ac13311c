#include "platform/html/PageParser.h"

#include <libxml/HTMLparser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>

#include <optional>

namespace platform::html {
namespace {

// XML_PARSE_HUGE lifts libxml2's depth bound (and its bound on one text
// node's length, which would drop text as well); ours takes its place.
constexpr int kParseOptions = HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                              HTML_PARSE_RECOVER | HTML_PARSE_IGNORE_ENC | XML_PARSE_HUGE;

// One run of the parser over a stretch of the page.
struct Run {
  htmlDocPtr document = nullptr;
  // Where the rest of the stretch starts when the run was stopped.
  std::optional<std::size_t> restartAt;
};

struct DepthWatch {
  startElementSAXFunc buildElement = nullptr;
  long stoppedAt = -1;
};

// Builds the element as libxml2 would, then stops the parser once the
// bound is reached. The parser has read the start tag up to its closing
// '>' by now.
void StartElement(void* context, const xmlChar* name, const xmlChar** attributes) {
  auto* parser = static_cast<htmlParserCtxtPtr>(context);
  auto* watch = static_cast<DepthWatch*>(parser->_private);
  watch->buildElement(context, name, attributes);
  if (parser->nameNr >= kMaximumOpenElements && watch->stoppedAt < 0) {
    watch->stoppedAt = xmlByteConsumed(parser);
    xmlStopParser(parser);
  }
}

Run ParseStretch(std::string_view utf8) {
  htmlParserCtxtPtr parser = htmlCreateMemoryParserCtxt(utf8.data(), static_cast<int>(utf8.size()));
  if (parser == nullptr) return {};
  // UTF-8 as the parser's own encoding, not through a converter: with one,
  // libxml2 cannot say how far into the bytes it has read.
  xmlSwitchEncoding(parser, XML_CHAR_ENCODING_UTF8);
  htmlCtxtUseOptions(parser, kParseOptions);
  DepthWatch watch;
  watch.buildElement = parser->sax->startElement;
  parser->sax->startElement = &StartElement;
  parser->_private = &watch;
  htmlParseDocument(parser);
  Run run;
  run.document = parser->myDoc;
  parser->myDoc = nullptr;
  htmlFreeParserCtxt(parser);
  if (watch.stoppedAt > 0) {
    std::size_t next = static_cast<std::size_t>(watch.stoppedAt);
    if (next < utf8.size() && utf8[next] == '>') ++next;
    if (next < utf8.size()) run.restartAt = next;
  }
  return run;
}

bool IsNamed(const xmlNode* node, const char* name) {
  return node->type == XML_ELEMENT_NODE &&
         xmlStrcasecmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

xmlNodePtr BodyOf(htmlDocPtr document) {
  xmlNodePtr root = xmlDocGetRootElement(document);
  if (root == nullptr) return nullptr;
  for (xmlNodePtr child = root->children; child != nullptr; child = child->next) {
    if (IsNamed(child, "body") || IsNamed(child, "frameset")) return child;
  }
  return root;
}

// Text that starts a stretch makes libxml2 open a paragraph for it, which
// the page does not have there.
bool StartsWithText(std::string_view utf8) {
  const std::size_t first = utf8.find_first_not_of(" \t\r\n\f");
  return first != std::string_view::npos && utf8[first] != '<';
}

// What a later run read goes at the end of the first run's body: the
// content of its head and body, and whatever else stands in its root.
void AppendContent(htmlDocPtr target, htmlDocPtr stretch, bool startsWithText) {
  xmlNodePtr body = BodyOf(target);
  xmlNodePtr root = xmlDocGetRootElement(stretch);
  if (body == nullptr || root == nullptr) return;
  const auto append = [&](xmlNodePtr node) {
    if (xmlNodePtr copy = xmlDocCopyNode(node, target, 1)) {
      if (xmlAddChild(body, copy) == nullptr) xmlFreeNode(copy);
    }
  };
  for (xmlNodePtr child = root->children; child != nullptr; child = child->next) {
    if (!IsNamed(child, "head") && !IsNamed(child, "body")) {
      append(child);
      continue;
    }
    for (xmlNodePtr inner = child->children; inner != nullptr; inner = inner->next) {
      if (startsWithText && IsNamed(child, "body") && inner == child->children &&
          IsNamed(inner, "p")) {
        for (xmlNodePtr text = inner->children; text != nullptr; text = text->next) append(text);
      } else {
        append(inner);
      }
    }
  }
}

}  // namespace

_xmlDoc* ParseHtml(std::string_view utf8) {
  Run run = ParseStretch(utf8);
  htmlDocPtr document = run.document;
  std::size_t offset = 0;
  while (document != nullptr && run.restartAt) {
    offset += *run.restartAt;
    const std::string_view rest = utf8.substr(offset);
    run = ParseStretch(rest);
    if (run.document == nullptr) break;
    AppendContent(document, run.document, StartsWithText(rest));
    xmlFreeDoc(run.document);
  }
  return document;
}

}  // namespace platform::html
