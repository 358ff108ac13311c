#include "platform/html/PageParser.h"

#include <libxml/HTMLparser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>

#include <optional>
#include <string>

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

bool IsBlankByte(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// Where the piece of `text` that starts at `start` may end: at most
// kMaximumTextPieceBytes on, at a character boundary that is not inside a
// run of blanks, as near the limit as there is one; the end of the text
// when there is none (a text of blanks alone renders as one space anyway).
std::size_t PieceEnd(std::string_view text, std::size_t start) {
  const auto fits = [&](std::size_t cut) {
    const auto byte = static_cast<unsigned char>(text[cut]);
    return (byte & 0xC0) != 0x80 && !(IsBlankByte(text[cut - 1]) && IsBlankByte(text[cut]));
  };
  const std::size_t limit = start + kMaximumTextPieceBytes;
  if (limit >= text.size()) return text.size();
  for (std::size_t cut = limit; cut > start + kMaximumTextPieceBytes / 2; --cut) {
    if (fits(cut)) return cut;
  }
  for (std::size_t cut = limit + 1; cut < text.size(); ++cut) {
    if (fits(cut)) return cut;
  }
  return text.size();
}

// Cuts `node` into pieces linked after it, by hand: libxml2's own helpers
// would merge them back.
void CutIntoPieces(htmlDocPtr document, xmlNodePtr node) {
  const std::string text(reinterpret_cast<const char*>(node->content));
  std::size_t end = PieceEnd(text, 0);
  if (end == text.size()) return;
  xmlNodeSetContentLen(node, reinterpret_cast<const xmlChar*>(text.data()), static_cast<int>(end));
  xmlNodePtr last = node;
  for (std::size_t start = end; start < text.size(); start = end) {
    end = PieceEnd(text, start);
    xmlNodePtr piece =
        xmlNewDocTextLen(document, reinterpret_cast<const xmlChar*>(text.data() + start),
                         static_cast<int>(end - start));
    if (piece == nullptr) return;
    piece->parent = last->parent;
    piece->prev = last;
    piece->next = last->next;
    if (last->next != nullptr) {
      last->next->prev = piece;
    } else if (last->parent != nullptr) {
      last->parent->last = piece;
    }
    last->next = piece;
    last = piece;
  }
}

void CutLongTexts(htmlDocPtr document) {
  xmlNodePtr node = xmlDocGetRootElement(document);
  while (node != nullptr) {
    if (node->type == XML_TEXT_NODE && node->content != nullptr &&
        static_cast<std::size_t>(xmlStrlen(node->content)) > kMaximumTextPieceBytes) {
      CutIntoPieces(document, node);
    }
    if (node->type == XML_ELEMENT_NODE && node->children != nullptr) {
      node = node->children;
      continue;
    }
    while (node != nullptr && node->next == nullptr) node = node->parent;
    if (node != nullptr) node = node->next;
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
  if (document != nullptr) CutLongTexts(document);
  return document;
}

}  // namespace platform::html
