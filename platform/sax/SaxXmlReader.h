// The streaming XML reader behind SOAP responses (the stand-in for the
// Windows SAXXMLReader30). The response is pushed in blocks as the socket
// delivers them, and the reader hands namespace-resolved events to its
// content handler; no document tree is ever built.
//
// The reader is locked down for data from the network: a document type
// declaration fails the parse the moment it appears (SOAP 1.1 forbids one,
// and refusing it rules out entity expansion attacks), nothing external is
// ever loaded, and no entity other than the five predefined ones exists.
//
// Usage: SetContentHandler, then for each document Feed() every block and
// Finish() once the input has ended. A failed Feed means the document is
// finished; the next Feed starts a new one.
//
// On Windows the reader is MSXML's, which pulls a whole document in one
// parse: there Feed only collects the blocks, and the events, in the same
// order, and whatever ends them come from Finish.
#pragma once

#include <memory>
#include <string_view>

#include "platform/sax/SaxContentHandler.h"

namespace platform {

enum class SaxStatus {
  kOk,
  kMalformed,             // not well-formed XML (includes undeclared entities)
  kDocumentTypeRejected,  // the document carries a <!DOCTYPE>
  kStoppedByHandler,      // the content handler returned false
  kNoHandler,             // no content handler was set
};

class SaxXmlReader {
 public:
  SaxXmlReader();
  ~SaxXmlReader();
  SaxXmlReader(const SaxXmlReader&) = delete;
  SaxXmlReader& operator=(const SaxXmlReader&) = delete;

  void SetContentHandler(SaxContentHandler* handler);

  // Parses the next block of the current document (starting one if none is
  // open). Events for complete constructs are delivered before it returns.
  SaxStatus Feed(std::string_view block);

  // Tells the reader the input has ended; reports whether the whole
  // document was well-formed and accepted by the handler.
  SaxStatus Finish();

  // Drops the current document without finishing it.
  void Abandon();

 private:
  struct Parser;
  std::unique_ptr<Parser> parser_;
  SaxContentHandler* handler_ = nullptr;
};

}  // namespace platform
