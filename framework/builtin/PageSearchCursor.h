// Walks the matches of one pattern through a page made of several documents
// (the top document and its frames' documents), one match per call: through
// each document's body from its start, the documents in the order given, or
// backwards from the end of the last document to the start of the first.
// Find keeps one between executions so each execution takes the next match.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/com/ComPtr.h"
#include "platform/html/HtmlInterfaces.h"

namespace framework {

class PageSearchCursor {
 public:
  PageSearchCursor(std::vector<platform::ComPtr<IHTMLDocument2>> documents, std::u16string pattern,
                   bool backwards);

  // The next match, or null once every document has run out (and always
  // for an empty pattern). Documents without a body are passed over.
  platform::ComPtr<IHTMLTxtRange> Next();
  // Back to the first document's start (the last one's end, backwards).
  void Restart();

 private:
  // The range at the start (end) of the next document that has a body;
  // false when none is left.
  bool OpenNextDocument();

  std::vector<platform::ComPtr<IHTMLDocument2>> documents_;
  std::u16string pattern_;
  bool backwards_;
  std::size_t opened_ = 0;  // how many documents the walk has entered
  platform::ComPtr<IHTMLTxtRange> range_;
};

}  // namespace framework
