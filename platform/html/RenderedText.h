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
//
// TextRenderer walks the tree a node at a time and renders only as far as
// it is asked to, and it can go back to where it reached any text node it
// passed: a search then reads a page up to its match, and an edit renders
// again only from the node it changed. Marking every match of a page, which
// searches and edits by turns, so reads each part of the page about once
// instead of the whole page once per match.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
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

class TextRenderer {
 public:
  // Renders the text of `scope` (nothing unless it is an element).
  explicit TextRenderer(Node* scope);

  Node* Scope() const { return scope_; }
  // The text rendered so far.
  const RenderedText& Rendered() const { return rendered_; }
  bool Finished() const { return position_ == nullptr; }

  // Renders until the text is at least `length` characters long or ends.
  void RenderThrough(std::size_t length);
  void RenderAll();
  // Renders until the walk has left `node` (one the walk still comes to)
  // and holds back nothing of it: a blank it ended with is written or
  // dropped.
  void RenderPast(Node* node);

  // The tree changed from where the walk reached the text node `reached`:
  // forgets what was rendered since and walks on from `from`, which stands
  // where `reached` stood (`reached` itself, or nodes inserted before it).
  // The length of the text kept, or nullopt (and nothing forgotten) when
  // the walk never reached `reached`.
  std::optional<std::size_t> Rewind(Node* reached, Node* from);

  RenderedText Take() && { return std::move(rendered_); }

 private:
  // What the characters still to come depend on besides the tree.
  struct State {
    bool pendingBreak = false;
    bool pendingSpace = false;
    bool pendingTab = false;
    RenderedText::Source pendingSpaceSource;
    int preformattedDepth = 0;
  };
  struct Checkpoint {
    std::size_t length = 0;
    State state;
  };

  void Step();
  void Enter(Node* element);
  void Leave(Node* element);
  void Finish(Node* node);
  void Text(Node* node);
  void Visible(char16_t c, RenderedText::Source source);
  void LineBreak();
  void Append(char16_t c, RenderedText::Source source);

  Node* scope_;
  // The next node to enter, or to leave once its children are done; null
  // when the scope is done.
  Node* position_;
  bool leaving_ = false;
  Node* lastFinished_ = nullptr;
  State state_;
  RenderedText rendered_;
  // Where the walk reached each text node it passed, and those nodes in
  // the order it reached them.
  std::unordered_map<Node*, Checkpoint> checkpoints_;
  std::vector<Node*> reached_;
};

// The whole text of `element` at once.
RenderedText RenderText(Node* element);

}  // namespace platform::html
