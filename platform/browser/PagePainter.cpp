#include "platform/browser/PagePainter.h"

#include <libxml/tree.h>

#include <charconv>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text/CodePage.h"

namespace platform {
namespace {

using Style = std::map<std::string, std::string, std::less<>>;

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

Style InlineStyle(html::Node* element) {
  Style style;
  xmlChar* text = xmlGetProp(element, reinterpret_cast<const xmlChar*>("style"));
  if (text == nullptr) return style;
  std::string_view rest(reinterpret_cast<const char*>(text));
  while (!rest.empty()) {
    const auto end = rest.find(';');
    const std::string_view declaration = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    const auto colon = declaration.find(':');
    if (colon == std::string_view::npos) continue;
    style[Lower(Trimmed(declaration.substr(0, colon)))] =
        Lower(Trimmed(declaration.substr(colon + 1)));
  }
  xmlFree(text);
  return style;
}

std::optional<COLORREF> ColourOf(std::string_view value) {
  if (value == "white") return RGB(255, 255, 255);
  if (value == "black") return RGB(0, 0, 0);
  if (value.size() != 7 || value[0] != '#') return std::nullopt;
  unsigned rgb = 0;
  const auto [end, error] = std::from_chars(value.data() + 1, value.data() + 7, rgb, 16);
  if (error != std::errc() || end != value.data() + 7) return std::nullopt;
  return RGB(static_cast<BYTE>(rgb >> 16), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb));
}

std::optional<LONG> PixelsOf(std::string_view value) {
  if (value.ends_with("px")) value.remove_suffix(2);
  LONG pixels = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), pixels);
  if (error != std::errc() || end != value.data() + value.size()) return std::nullopt;
  return pixels;
}

std::optional<std::string_view> Find(const Style& style, std::string_view name) {
  const auto found = style.find(name);
  if (found == style.end()) return std::nullopt;
  return std::string_view(found->second);
}

void Fill(HDC dc, const RECT& rect, COLORREF colour, bool frame) {
  HBRUSH brush = CreateSolidBrush(colour);
  frame ? FrameRect(dc, &rect, brush) : FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void PaintBody(html::Node* body, HDC dc, const RECT& client) {
  const Style style = InlineStyle(body);
  const auto background = Find(style, "background-color");
  Fill(dc, client,
       background ? ColourOf(*background).value_or(RGB(255, 255, 255)) : RGB(255, 255, 255), false);
  // "1px solid #b8b8b8": a one-pixel solid border of that colour.
  if (const auto border = Find(style, "border")) {
    const auto colourAt = border->rfind(' ');
    const auto colour =
        ColourOf(border->substr(colourAt == std::string_view::npos ? 0 : colourAt + 1));
    if (colour && border->find("solid") != std::string_view::npos) Fill(dc, client, *colour, true);
  }
}

void PaintPlacedText(html::Node* element, HDC dc) {
  const Style style = InlineStyle(element);
  if (Find(style, "position") != std::optional<std::string_view>("absolute")) return;
  const LONG left = PixelsOf(Find(style, "left").value_or("0")).value_or(0);
  const LONG top = PixelsOf(Find(style, "top").value_or("0")).value_or(0);
  xmlChar* content = xmlNodeGetContent(element);
  const std::u16string text =
      content ? Utf8ToWide(reinterpret_cast<const char*>(content)) : std::u16string();
  xmlFree(content);
  const auto colour = Find(style, "color");
  SetTextColor(dc, colour ? ColourOf(*colour).value_or(RGB(0, 0, 0)) : RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  RECT place{left, top, left + ui::TextWidth(text, false), top + ui::kTextHeight};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place,
            DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

void PaintPage(html::HtmlDocument& document, HDC dc, const RECT& client) {
  html::Node* body = document.Tree().Body();
  if (body == nullptr) return;
  PaintBody(body, dc, client);
  for (html::Node* element : document.Tree().Elements(body)) PaintPlacedText(element, dc);
}

}  // namespace platform
