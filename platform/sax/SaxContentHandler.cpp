#include "platform/sax/SaxContentHandler.h"

#include <cstring>

namespace platform {
namespace {

std::string_view ViewOf(const unsigned char* text) {
  if (text == nullptr) return {};
  return {reinterpret_cast<const char*>(text), std::strlen(reinterpret_cast<const char*>(text))};
}

}  // namespace

std::string SaxName::QualifiedName() const {
  if (prefix.empty()) return std::string(localName);
  std::string qualified;
  qualified.reserve(prefix.size() + 1 + localName.size());
  qualified.append(prefix).append(1, ':').append(localName);
  return qualified;
}

SaxAttribute SaxAttributes::At(int index) const {
  const unsigned char* const* entry = raw_ + 5 * index;
  const auto* valueStart = reinterpret_cast<const char*>(entry[3]);
  const auto* valueEnd = reinterpret_cast<const char*>(entry[4]);
  return {{ViewOf(entry[2]), ViewOf(entry[0]), ViewOf(entry[1])},
          {valueStart, static_cast<std::size_t>(valueEnd - valueStart)}};
}

std::optional<std::string_view> SaxAttributes::Find(std::string_view uri,
                                                    std::string_view localName) const {
  for (int i = 0; i < count_; ++i) {
    const SaxAttribute attribute = At(i);
    if (attribute.name.localName == localName && attribute.name.uri == uri) return attribute.value;
  }
  return std::nullopt;
}

}  // namespace platform
