#include "tools/refservice/SoapService.h"

#include <algorithm>
#include <charconv>

namespace refservice {

namespace {

std::string_view TrimXmlSpace(std::string_view text) {
  constexpr std::string_view kSpace = " \t\r\n";
  const std::size_t first = text.find_first_not_of(kSpace);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

}  // namespace

bool SoapService::Knows(std::string_view operation) const {
  const auto& names = OperationNames();
  return std::find(names.begin(), names.end(), operation) != names.end();
}

std::optional<std::string> StringArgument(const SoapCall& call, std::string_view name) {
  const SoapParameter* parameter = call.Find(name);
  if (!parameter || parameter->nil) return std::nullopt;
  return parameter->text;
}

int IntArgument(const SoapCall& call, std::string_view name) {
  const SoapParameter* parameter = call.Find(name);
  if (!parameter) return 0;
  std::string_view text = TrimXmlSpace(parameter->text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    throw ArgumentError("Input string was not in a correct format: " + std::string(name));
  }
  return value;
}

bool BoolArgument(const SoapCall& call, std::string_view name) {
  const SoapParameter* parameter = call.Find(name);
  if (!parameter) return false;
  const std::string_view text = TrimXmlSpace(parameter->text);
  if (text == "true" || text == "1") return true;
  if (text == "false" || text == "0") return false;
  throw ArgumentError("The string '" + parameter->text +
                      "' is not a valid Boolean value: " + std::string(name));
}

std::string ExpandSite(std::string_view text, std::string_view site) {
  constexpr std::string_view kPlaceholder = "{site}";
  std::string out;
  while (true) {
    const std::size_t at = text.find(kPlaceholder);
    out += text.substr(0, at);
    if (at == std::string_view::npos) return out;
    out += site;
    text.remove_prefix(at + kPlaceholder.size());
  }
}

}  // namespace refservice
