#include "platform/com/Guid.h"

namespace {

constexpr int kGuidTextLength = 38;

// Narrows the braced form; anything beyond ASCII cannot be part of a GUID,
// so it becomes a character the parser rejects.
std::optional<GUID> ParseWide(const char16_t* text) {
  std::string narrow;
  for (const char16_t* cursor = text; *cursor != u'\0'; ++cursor) {
    if (narrow.size() > kGuidTextLength) return std::nullopt;
    narrow.push_back(*cursor < 0x80 ? static_cast<char>(*cursor) : '?');
  }
  return platform::ParseGuid(narrow);
}

}  // namespace

int StringFromGUID2(REFGUID guid, char16_t* buffer, int capacity) {
  if (buffer == nullptr || capacity < kGuidTextLength + 1) return 0;
  const std::string text = platform::FormatGuid(guid);
  for (int i = 0; i < kGuidTextLength; ++i) buffer[i] = static_cast<char16_t>(text[i]);
  buffer[kGuidTextLength] = u'\0';
  return kGuidTextLength + 1;
}

HRESULT CLSIDFromString(const char16_t* text, CLSID* clsid) {
  if (text == nullptr || clsid == nullptr) return E_POINTER;
  const auto parsed = ParseWide(text);
  if (!parsed) return CO_E_CLASSSTRING;
  *clsid = *parsed;
  return S_OK;
}

HRESULT IIDFromString(const char16_t* text, IID* iid) {
  if (text == nullptr || iid == nullptr) return E_POINTER;
  const auto parsed = ParseWide(text);
  if (!parsed) return E_INVALIDARG;
  *iid = *parsed;
  return S_OK;
}
