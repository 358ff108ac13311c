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

class Renderer {
 public:
  RenderedText Take() { return std::move(result_); }

  void Element(Node* element, bool isRoot) {
    const std::string name = LocalName(element);
    if (!isRoot && HiddenElements().count(name) != 0) return;
    if (name == "br") {
      LineBreak();
      return;
    }
    const bool block = BlockElements().count(name) != 0;
    if (block) pendingBreak_ = true;
    if ((name == "td" || name == "th") && element->prev != nullptr && HasCellBefore(element)) {
      pendingTab_ = true;
    }
    const bool preformatted = name == "pre" || name == "textarea" || name == "xmp" ||
                              name == "listing" || name == "plaintext";
    preformattedDepth_ += preformatted ? 1 : 0;
    Children(element);
    preformattedDepth_ -= preformatted ? 1 : 0;
    if (block) pendingBreak_ = true;
  }

  void Children(Node* parent) {
    for (Node* child = parent->children; child != nullptr; child = child->next) {
      if (IsElement(child)) {
        Element(child, false);
      } else if (IsText(child)) {
        Text(child);
      }
    }
  }

 private:
  static bool HasCellBefore(Node* cell) {
    for (Node* sibling = cell->prev; sibling != nullptr; sibling = sibling->prev) {
      const std::string name = LocalName(sibling);
      if (name == "td" || name == "th") return true;
    }
    return false;
  }

  void Text(Node* node) {
    const std::u16string content = HtmlTree::TextOf(node);
    for (std::size_t i = 0; i < content.size(); ++i) {
      const char16_t c = content[i];
      if (preformattedDepth_ > 0) {
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
        if (!pendingSpace_) pendingSpaceSource_ = {node, i, end};
        pendingSpace_ = true;
        i = end - 1;
        continue;
      }
      Visible(c == u'\u00A0' ? u' ' : c, {node, i, i + 1});
    }
  }

  void Visible(char16_t c, RenderedText::Source source) {
    const bool atLineStart = result_.text.empty() || result_.text.back() == u'\n';
    if (pendingBreak_ && !atLineStart) {
      Append(u'\r', {});
      Append(u'\n', {});
    }
    pendingBreak_ = false;
    if (pendingTab_) Append(u'\t', {});
    if (pendingSpace_ && !pendingTab_ && !result_.text.empty() && result_.text.back() != u'\n') {
      Append(u' ', pendingSpaceSource_);
    }
    pendingTab_ = false;
    pendingSpace_ = false;
    Append(c, source);
  }

  // An explicit line break (br, a line end in pre): always shown, unlike
  // the breaks between blocks, which only separate lines.
  void LineBreak() {
    pendingBreak_ = false;
    pendingSpace_ = false;
    pendingTab_ = false;
    Append(u'\r', {});
    Append(u'\n', {});
  }

  void Append(char16_t c, RenderedText::Source source) {
    result_.text.push_back(c);
    result_.sources.push_back(source);
  }

  RenderedText result_;
  bool pendingBreak_ = false;
  bool pendingSpace_ = false;
  bool pendingTab_ = false;
  RenderedText::Source pendingSpaceSource_;
  int preformattedDepth_ = 0;
};

}  // namespace

RenderedText RenderText(Node* element) {
  Renderer renderer;
  if (IsElement(element)) renderer.Element(element, true);
  return renderer.Take();
}

}  // namespace platform::html
