#if defined(_WIN32)

#include "platform/sax/SaxEventForwarder_windows.h"

#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"

namespace platform::sax_detail {
namespace {

std::u16string_view WideView(const wchar_t* text, int length) {
  if (text == nullptr || length <= 0) return {};
  return {AsChar16(text), static_cast<std::size_t>(length)};
}

std::string Utf8(const wchar_t* text, int length) { return WideToUtf8(WideView(text, length)); }

// The prefix of "prefix:local", empty for a name without one.
std::u16string_view PrefixOf(std::u16string_view qualifiedName) {
  const std::size_t colon = qualifiedName.find(u':');
  return colon == std::u16string_view::npos ? std::u16string_view()
                                            : qualifiedName.substr(0, colon);
}

// Namespace declarations are the reader's business, not an attribute of the
// element, as the namespace-aware reader on the other side reports them.
bool IsNamespaceDeclaration(std::u16string_view qualifiedName) {
  return qualifiedName == u"xmlns" || qualifiedName.starts_with(u"xmlns:");
}

}  // namespace

SaxStatus SaxEventForwarder::Outcome(HRESULT parseResult) const {
  if (thrown_) std::rethrow_exception(thrown_);
  if (stoppedByHandler_) return SaxStatus::kStoppedByHandler;
  if (malformed_ || parseResult != S_OK) return SaxStatus::kMalformed;
  return SaxStatus::kOk;
}

HRESULT SaxEventForwarder::Malformed() {
  malformed_ = true;
  return E_FAIL;
}

template <class Event>
HRESULT SaxEventForwarder::Deliver(Event&& event) {
  if (stoppedByHandler_ || malformed_ || thrown_) return E_ABORT;
  try {
    if (event()) return S_OK;
    if (!malformed_) stoppedByHandler_ = true;
  } catch (...) {
    thrown_ = std::current_exception();
  }
  return E_ABORT;
}

HRESULT SaxEventForwarder::startElement(const wchar_t* uri, int uriLength, const wchar_t* localName,
                                        int localNameLength, const wchar_t* qualifiedName,
                                        int qualifiedNameLength, ISAXAttributes* attributes) {
  return Deliver([&] {
    ReadName(uri, uriLength, localName, localNameLength, qualifiedName, qualifiedNameLength);
    if (!ReadAttributes(attributes)) {
      malformed_ = true;
      return false;
    }
    const SaxAttributes view(attributeTable_.data(), static_cast<int>(attributeTable_.size() / 5));
    return handler_.StartElement(name_.View(), view);
  });
}

HRESULT SaxEventForwarder::endElement(const wchar_t* uri, int uriLength, const wchar_t* localName,
                                      int localNameLength, const wchar_t* qualifiedName,
                                      int qualifiedNameLength) {
  return Deliver([&] {
    ReadName(uri, uriLength, localName, localNameLength, qualifiedName, qualifiedNameLength);
    return handler_.EndElement(name_.View());
  });
}

HRESULT SaxEventForwarder::characters(const wchar_t* text, int length) {
  return Deliver([&] { return handler_.Characters(Utf8(text, length)); });
}

void SaxEventForwarder::ReadName(const wchar_t* uri, int uriLength, const wchar_t* localName,
                                 int localNameLength, const wchar_t* qualifiedName,
                                 int qualifiedNameLength) {
  name_.uri = Utf8(uri, uriLength);
  name_.localName = Utf8(localName, localNameLength);
  name_.prefix = WideToUtf8(PrefixOf(WideView(qualifiedName, qualifiedNameLength)));
}

bool SaxEventForwarder::ReadAttributes(ISAXAttributes* attributes) {
  attributeText_.clear();
  attributeTable_.clear();
  int count = 0;
  if (attributes != nullptr && FAILED(attributes->getLength(&count))) return false;
  // Offsets first: the text's buffer moves while it grows.
  std::vector<std::size_t> offsets;
  auto append = [&](std::string_view piece) {
    offsets.push_back(attributeText_.size());
    attributeText_.append(piece).push_back('\0');
  };
  for (int i = 0; i < count; ++i) {
    const wchar_t *uri = nullptr, *localName = nullptr, *qualifiedName = nullptr;
    int uriLength = 0, localNameLength = 0, qualifiedNameLength = 0;
    const wchar_t* value = nullptr;
    int valueLength = 0;
    if (FAILED(attributes->getName(i, &uri, &uriLength, &localName, &localNameLength,
                                   &qualifiedName, &qualifiedNameLength)) ||
        FAILED(attributes->getValue(i, &value, &valueLength))) {
      return false;
    }
    const std::u16string_view qualified = WideView(qualifiedName, qualifiedNameLength);
    if (IsNamespaceDeclaration(qualified)) continue;
    append(Utf8(localName, localNameLength));
    append(WideToUtf8(PrefixOf(qualified)));
    append(Utf8(uri, uriLength));
    append(Utf8(value, valueLength));
  }
  const auto* base = reinterpret_cast<const unsigned char*>(attributeText_.data());
  for (std::size_t at = 0; at < offsets.size(); at += 4) {
    const unsigned char* value = base + offsets[at + 3];
    // The value ends before the NUL appended after it.
    const std::size_t valueEnd = at + 4 < offsets.size() ? offsets[at + 4] : attributeText_.size();
    attributeTable_.insert(attributeTable_.end(),
                           {base + offsets[at], base + offsets[at + 1], base + offsets[at + 2],
                            value, base + valueEnd - 1});
  }
  return true;
}

}  // namespace platform::sax_detail

#endif  // _WIN32
