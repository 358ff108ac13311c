// The text of a part of a page as a browser renders it (innerText), with
// where every character came from, so that text ranges can find text and
// map what they found back onto the tree.
//
// The rules, chosen to match what Internet Explorer shows:
// - script, style, noscript, template, head, title, iframe, frame, object
//   and select contents and comments are left out;
// - runs of blanks, tabs and line ends collapse to one space, and spaces at
//   the start and end of a line are dropped (pre and textarea keep their
//   text as written); a non-breaking space is a plain space that never
//   collapses;
// - br is a line break ("\r\n"); block elements (div, p, headings, lists,
//   tables and their rows, blockquote, pre, form, hr, address, center, dl,
//   dt, dd, fieldset, HTML5 sections) start and end a line, so the text of
//   two blocks is separated by exactly one line break and never starts or
//   ends with one;
// - a table cell that is not the first of its row starts with a tab.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/html/HtmlTree.h"

namespace platform::html {

struct RenderedText {
  // Where one rendered character came from: a range of UTF-16 offsets in a
  // text node's content (a collapsed run of blanks spans several), or no
  // node for the line breaks and tabs the layout adds.
  struct Source {
    Node* node = nullptr;
    std::size_t begin = 0;
    std::size_t end = 0;
  };

  std::u16string text;
  std::vector<Source> sources;  // one per character of text
};

RenderedText RenderText(Node* element);

}  // namespace platform::html
