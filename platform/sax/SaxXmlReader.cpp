#include "platform/sax/SaxXmlReader.h"

#include <libxml/globals.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace platform {
namespace {

std::string_view ViewOf(const xmlChar* text) {
  if (text == nullptr) return {};
  return {reinterpret_cast<const char*>(text), std::strlen(reinterpret_cast<const char*>(text))};
}

struct ContextDeleter {
  void operator()(xmlParserCtxtPtr context) const { xmlFreeParserCtxt(context); }
};
using ContextOwner = std::unique_ptr<xmlParserCtxt, ContextDeleter>;

#if LIBXML_VERSION >= 21200
using ReportedError = const xmlError*;
#else
using ReportedError = xmlErrorPtr;
#endif

// The context's own error callback hears the parser's errors, but an input
// that does not convert from its declared encoding is reported by
// libxml2's encoding layer through the thread's error channels, which print
// to standard error. While a chunk is parsed those channels are quiet; the
// thread's own handlers come back afterwards.
class ScopedQuietErrorChannels {
 public:
  ScopedQuietErrorChannels()
      : previousStructured_(xmlStructuredError),
        previousStructuredContext_(xmlStructuredErrorContext),
        previousGeneric_(xmlGenericError),
        previousGenericContext_(xmlGenericErrorContext) {
    xmlSetStructuredErrorFunc(nullptr, &IgnoreStructured);
    xmlSetGenericErrorFunc(nullptr, &IgnoreGeneric);
  }
  ~ScopedQuietErrorChannels() {
    xmlSetStructuredErrorFunc(previousStructuredContext_, previousStructured_);
    xmlSetGenericErrorFunc(previousGenericContext_, previousGeneric_);
  }
  ScopedQuietErrorChannels(const ScopedQuietErrorChannels&) = delete;
  ScopedQuietErrorChannels& operator=(const ScopedQuietErrorChannels&) = delete;

 private:
  static void IgnoreStructured(void*, ReportedError) {}
  static void IgnoreGeneric(void*, const char*, ...) {}

  xmlStructuredErrorFunc previousStructured_;
  void* previousStructuredContext_;
  xmlGenericErrorFunc previousGeneric_;
  void* previousGenericContext_;
};

}  // namespace

// One open document: the libxml2 push context and what the callbacks
// learned about why a parse stopped.
struct SaxXmlReader::Parser {
  ContextOwner context;
  SaxContentHandler* handler = nullptr;
  SaxStatus stopReason = SaxStatus::kOk;
  // Namespace URIs of one declaration reach every element as the same
  // pointer, so the last one's length is kept rather than measured again.
  const xmlChar* lastUri = nullptr;
  std::string_view lastUriView;

  std::string_view UriView(const xmlChar* uri) {
    if (uri != lastUri) {
      lastUri = uri;
      lastUriView = ViewOf(uri);
    }
    return lastUriView;
  }

  // Local names are interned in the context's dictionary too, so one
  // pointer spells one name for the whole document: a small table of
  // lengths by pointer spares measuring every tag's name again.
  struct NameLength {
    const xmlChar* name = nullptr;
    std::size_t length = 0;
  };
  std::array<NameLength, 64> nameLengths;

  std::string_view NameView(const xmlChar* name) {
    const auto address = reinterpret_cast<std::uintptr_t>(name);
    NameLength& slot = nameLengths[(address ^ (address >> 6)) % nameLengths.size()];
    if (slot.name != name) slot = {name, ViewOf(name).size()};
    return {reinterpret_cast<const char*>(name), slot.length};
  }

  // No network, no DTD loading, no entity substitution: the options that
  // would let a response reach outside itself all stay off.
  static constexpr int kOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

  void Stop(SaxStatus reason) {
    if (stopReason == SaxStatus::kOk) stopReason = reason;
    xmlStopParser(context.get());
  }

  // Without entity substitution libxml2 hands "&amp;" in an attribute value
  // on as "&#38;" (so a tree builder could write it back). Handlers want the
  // decoded value, so values holding one are rewritten into scratch storage;
  // the common value without '&' is passed through untouched.
  std::vector<const xmlChar*> scratchTable;
  std::string scratchValues;

  const xmlChar** DecodeAmpersands(const xmlChar** attributes, int count) {
    bool anyAmpersand = false;
    std::size_t total = 0;
    for (int i = 0; i < count; ++i) {
      const xmlChar* const* entry = attributes + 5 * i;
      const auto length = static_cast<std::size_t>(entry[4] - entry[3]);
      total += length;
      anyAmpersand = anyAmpersand || std::memchr(entry[3], '&', length) != nullptr;
    }
    if (!anyAmpersand) return attributes;
    scratchTable.assign(attributes, attributes + 5 * count);
    scratchValues.clear();
    scratchValues.reserve(total);  // no reallocation below, so pointers stay valid
    static constexpr std::string_view kEncodedAmpersand = "&#38;";
    for (int i = 0; i < count; ++i) {
      const xmlChar** entry = scratchTable.data() + 5 * i;
      std::string_view value(reinterpret_cast<const char*>(entry[3]),
                             static_cast<std::size_t>(entry[4] - entry[3]));
      const std::size_t start = scratchValues.size();
      for (std::size_t at; (at = value.find(kEncodedAmpersand)) != std::string_view::npos;) {
        scratchValues.append(value.substr(0, at)).push_back('&');
        value.remove_prefix(at + kEncodedAmpersand.size());
      }
      scratchValues.append(value);
      entry[3] = reinterpret_cast<const xmlChar*>(scratchValues.data() + start);
      entry[4] = reinterpret_cast<const xmlChar*>(scratchValues.data() + scratchValues.size());
    }
    return scratchTable.data();
  }

  static Parser& From(void* userData) { return *static_cast<Parser*>(userData); }

  static void OnStartElement(void* userData, const xmlChar* localName, const xmlChar* prefix,
                             const xmlChar* uri, int /*namespaceCount*/,
                             const xmlChar** /*namespaces*/, int attributeCount,
                             int /*defaultedCount*/, const xmlChar** attributes) {
    Parser& parser = From(userData);
    const SaxName name{parser.UriView(uri), parser.NameView(localName), ViewOf(prefix)};
    const SaxAttributes view(
        attributeCount == 0 ? attributes : parser.DecodeAmpersands(attributes, attributeCount),
        attributeCount);
    if (!parser.handler->StartElement(name, view)) parser.Stop(SaxStatus::kStoppedByHandler);
  }

  static void OnEndElement(void* userData, const xmlChar* localName, const xmlChar* prefix,
                           const xmlChar* uri) {
    Parser& parser = From(userData);
    const SaxName name{parser.UriView(uri), parser.NameView(localName), ViewOf(prefix)};
    if (!parser.handler->EndElement(name)) parser.Stop(SaxStatus::kStoppedByHandler);
  }

  static void OnCharacters(void* userData, const xmlChar* text, int length) {
    Parser& parser = From(userData);
    const std::string_view view(reinterpret_cast<const char*>(text),
                                static_cast<std::size_t>(length));
    if (!parser.handler->Characters(view)) parser.Stop(SaxStatus::kStoppedByHandler);
  }

  // Fires as soon as "<!DOCTYPE name ..." has been read, before any of its
  // internal subset: refusing here means no declaration is ever processed.
  static void OnDocumentType(void* userData, const xmlChar*, const xmlChar*, const xmlChar*) {
    From(userData).Stop(SaxStatus::kDocumentTypeRejected);
  }

  // Parse errors are reported through the status; nothing goes to stderr.
  static void OnError(void*, xmlErrorPtr) {}

  static xmlSAXHandler* Callbacks() {
    static xmlSAXHandler callbacks = [] {
      xmlSAXHandler table;
      std::memset(&table, 0, sizeof table);
      table.initialized = XML_SAX2_MAGIC;
      table.startElementNs = OnStartElement;
      table.endElementNs = OnEndElement;
      table.characters = OnCharacters;
      table.cdataBlock = OnCharacters;
      table.ignorableWhitespace = OnCharacters;
      table.internalSubset = OnDocumentType;
      table.serror = OnError;
      return table;
    }();
    return &callbacks;
  }

  bool Open() {
    // libxml2 copies the callback table into the context, so the shared
    // static table is never written.
    context.reset(xmlCreatePushParserCtxt(Callbacks(), this, nullptr, 0, nullptr));
    if (!context) return false;
    xmlCtxtUseOptions(context.get(), kOptions);
    stopReason = SaxStatus::kOk;
    lastUri = nullptr;
    nameLengths = {};
    return true;
  }

  SaxStatus Push(const char* data, int size, bool terminate) {
    const ScopedQuietErrorChannels quiet;
    const int result = xmlParseChunk(context.get(), data, size, terminate ? 1 : 0);
    if (stopReason != SaxStatus::kOk) return stopReason;
    if (result != 0 || !context->wellFormed || !context->nsWellFormed) return SaxStatus::kMalformed;
    return SaxStatus::kOk;
  }
};

SaxXmlReader::SaxXmlReader() : parser_(std::make_unique<Parser>()) {}
SaxXmlReader::~SaxXmlReader() = default;

void SaxXmlReader::SetContentHandler(SaxContentHandler* handler) { handler_ = handler; }

SaxStatus SaxXmlReader::Feed(std::string_view block) {
  if (handler_ == nullptr) return SaxStatus::kNoHandler;
  parser_->handler = handler_;
  if (!parser_->context && !parser_->Open()) return SaxStatus::kMalformed;
  SaxStatus status = SaxStatus::kOk;
  while (status == SaxStatus::kOk && !block.empty()) {
    const auto size = static_cast<int>(std::min<std::size_t>(block.size(), INT_MAX));
    status = parser_->Push(block.data(), size, false);
    block.remove_prefix(static_cast<std::size_t>(size));
  }
  if (status != SaxStatus::kOk) Abandon();
  return status;
}

SaxStatus SaxXmlReader::Finish() {
  if (handler_ == nullptr) return SaxStatus::kNoHandler;
  parser_->handler = handler_;
  if (!parser_->context && !parser_->Open()) return SaxStatus::kMalformed;
  const SaxStatus status = parser_->Push(nullptr, 0, true);
  Abandon();
  return status;
}

void SaxXmlReader::Abandon() { parser_->context.reset(); }

}  // namespace platform
