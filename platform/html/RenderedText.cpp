#include "platform/html/RenderedText.h"

#include <libxml/tree.h>

#include <set>
#include <string_view>

namespace platform::html {
namespace {

const std::set<std::string, std::less<>>& HiddenElements() {
  static const std::set<std::string, std::less<>> names = {
      "script", "style", "noscript", "template", "head",   "title",
      "iframe", "frame", "object",   "select",   "applet", "embed"};
  return names;
}

const std::set<std::string, std::less<>>& BlockElements() {
  static const std::set<std::string, std::less<>> names = {
      "address", "article", "aside",     "blockquote", "body",   "center", "dd",     "dir",
      "div",     "dl",      "dt",        "fieldset",   "figure", "footer", "form",   "frameset",
      "h1",      "h2",      "h3",        "h4",         "h5",     "h6",     "header", "hr",
      "html",    "li",      "main",      "menu",       "nav",    "ol",     "p",      "pre",
      "section", "table",   "tbody",     "tfoot",      "thead",  "tr",     "ul",     "caption",
      "legend",  "listing", "plaintext", "xmp"};
  return names;
}

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool HasCellBefore(Node* cell) {
  for (Node* sibling = cell->prev; sibling != nullptr; sibling = sibling->prev) {
    const std::string name = LocalName(sibling);
    if (name == "td" || name == "th") return true;
  }
  return false;
}

bool IsPreformatted(std::string_view name) {
  return name == "pre" || name == "textarea" || name == "xmp" || name == "listing" ||
         name == "plaintext";
}

}  // namespace

TextRenderer::TextRenderer(Node* scope)
    : scope_(scope), position_(IsElement(scope) ? scope : nullptr) {}

void TextRenderer::RenderThrough(std::size_t length) {
  while (rendered_.text.size() < length && !Finished()) Step();
}

void TextRenderer::RenderAll() {
  while (!Finished()) Step();
}

void TextRenderer::RenderPast(Node* node) {
  while (!Finished() && lastFinished_ != node) Step();
  while (!Finished() && state_.pendingSpace) Step();
}

std::optional<std::size_t> TextRenderer::Rewind(Node* reached, Node* from) {
  const auto found = checkpoints_.find(reached);
  if (found == checkpoints_.end()) return std::nullopt;
  const Checkpoint checkpoint = found->second;
  for (bool done = false; !done;) {
    done = reached_.back() == reached;
    checkpoints_.erase(reached_.back());
    reached_.pop_back();
  }
  rendered_.text.resize(checkpoint.length);
  rendered_.sources.resize(checkpoint.length);
  state_ = checkpoint.state;
  position_ = from;
  leaving_ = false;
  lastFinished_ = nullptr;
  return checkpoint.length;
}

void TextRenderer::Step() {
  Node* node = position_;
  if (leaving_) {
    Leave(node);
    Finish(node);
  } else if (IsElement(node)) {
    Enter(node);
  } else {
    if (IsText(node)) Text(node);
    Finish(node);
  }
}

void TextRenderer::Enter(Node* element) {
  const std::string name = LocalName(element);
  if (element != scope_ && HiddenElements().count(name) != 0) {
    Finish(element);
    return;
  }
  if (name == "br") {
    LineBreak();
    Finish(element);
    return;
  }
  if (BlockElements().count(name) != 0) state_.pendingBreak = true;
  if ((name == "td" || name == "th") && HasCellBefore(element)) state_.pendingTab = true;
  if (IsPreformatted(name)) ++state_.preformattedDepth;
  if (element->children != nullptr) {
    position_ = element->children;
  } else {
    leaving_ = true;
  }
}

void TextRenderer::Leave(Node* element) {
  const std::string name = LocalName(element);
  if (IsPreformatted(name)) --state_.preformattedDepth;
  if (BlockElements().count(name) != 0) state_.pendingBreak = true;
}

void TextRenderer::Finish(Node* node) {
  lastFinished_ = node;
  if (node == scope_) {
    position_ = nullptr;
  } else if (node->next != nullptr) {
    position_ = node->next;
    leaving_ = false;
  } else {
    position_ = node->parent;
    leaving_ = true;
  }
}

void TextRenderer::Text(Node* node) {
  checkpoints_[node] = Checkpoint{rendered_.text.size(), state_};
  reached_.push_back(node);
  const std::u16string content = HtmlTree::TextOf(node);
  for (std::size_t i = 0; i < content.size(); ++i) {
    const char16_t c = content[i];
    if (state_.preformattedDepth > 0) {
      if (c == u'\n') {
        LineBreak();
      } else if (c != u'\r') {
        Visible(c == u'\u00A0' ? u' ' : c, {node, i, i + 1});
      }
      continue;
    }
    if (IsBlank(c)) {
      std::size_t end = i + 1;
      while (end < content.size() && IsBlank(content[end])) ++end;
      if (!state_.pendingSpace) state_.pendingSpaceSource = {node, i, end};
      state_.pendingSpace = true;
      i = end - 1;
      continue;
    }
    Visible(c == u'\u00A0' ? u' ' : c, {node, i, i + 1});
  }
}

void TextRenderer::Visible(char16_t c, RenderedText::Source source) {
  const std::u16string& text = rendered_.text;
  const bool atLineStart = text.empty() || text.back() == u'\n';
  if (state_.pendingBreak && !atLineStart) {
    Append(u'\r', {});
    Append(u'\n', {});
  }
  state_.pendingBreak = false;
  if (state_.pendingTab) Append(u'\t', {});
  if (state_.pendingSpace && !state_.pendingTab && !text.empty() && text.back() != u'\n') {
    Append(u' ', state_.pendingSpaceSource);
  }
  state_.pendingTab = false;
  state_.pendingSpace = false;
  Append(c, source);
}

// An explicit line break (br, a line end in pre): always shown, unlike
// the breaks between blocks, which only separate lines.
void TextRenderer::LineBreak() {
  state_.pendingBreak = false;
  state_.pendingSpace = false;
  state_.pendingTab = false;
  Append(u'\r', {});
  Append(u'\n', {});
}

void TextRenderer::Append(char16_t c, RenderedText::Source source) {
  rendered_.text.push_back(c);
  rendered_.sources.push_back(source);
}

RenderedText RenderText(Node* element) {
  TextRenderer renderer(element);
  renderer.RenderAll();
  return std::move(renderer).Take();
}

}  // namespace platform::html
