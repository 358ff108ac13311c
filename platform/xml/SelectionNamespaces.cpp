#include "platform/xml/SelectionNamespaces.h"

namespace platform::xml_detail {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::optional<Namespaces> ParseSelectionNamespaces(std::string_view text) {
  constexpr std::string_view kDeclaration = "xmlns:";
  Namespaces namespaces;
  std::size_t pos = 0;
  while (true) {
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    if (pos == text.size()) return namespaces;
    if (text.substr(pos, kDeclaration.size()) != kDeclaration) return std::nullopt;
    pos += kDeclaration.size();

    const std::size_t equals = text.find('=', pos);
    if (equals == std::string_view::npos) return std::nullopt;
    const std::string_view prefix = text.substr(pos, equals - pos);
    if (prefix.empty()) return std::nullopt;
    for (char c : prefix) {
      if (IsSpace(c) || c == ':' || c == '\'' || c == '"') return std::nullopt;
    }

    pos = equals + 1;
    if (pos == text.size() || (text[pos] != '\'' && text[pos] != '"')) return std::nullopt;
    const char quote = text[pos++];
    const std::size_t close = text.find(quote, pos);
    if (close == std::string_view::npos || close == pos) return std::nullopt;
    namespaces.emplace_back(std::string{prefix}, std::string{text.substr(pos, close - pos)});
    pos = close + 1;
    if (pos < text.size() && !IsSpace(text[pos])) return std::nullopt;
  }
}

}  // namespace platform::xml_detail
