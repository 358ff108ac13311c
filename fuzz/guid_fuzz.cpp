// GUID text comes from the registry (class ids under InprocServer32, the
// band's class id, the elevation policy) and from plug-ins. Whatever the
// bytes, ParseGuid accepts exactly the braced 38-character form, what it
// accepts formats back to the same text in upper case, and the wide entry
// points read a NUL-terminated text as its narrow form would read.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "platform/com/Guid.h"

namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The registry form spelled out position by position.
bool HasBracedGuidShape(std::string_view text) {
  if (text.size() != 38 || text.front() != '{' || text.back() != '}') return false;
  for (std::size_t i = 1; i < 37; ++i) {
    const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    if (dash ? text[i] != '-' : !IsHexDigit(text[i])) return false;
  }
  return true;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

bool SameGuid(const GUID& a, const GUID& b) {
  return platform::FormatGuid(a) == platform::FormatGuid(b);
}

void CheckNarrow(std::string_view text) {
  const std::optional<GUID> parsed = platform::ParseGuid(text);
  FUZZ_CHECK(parsed.has_value() == HasBracedGuidShape(text));
  if (parsed) FUZZ_CHECK(platform::FormatGuid(*parsed) == Upper(text));
}

// The bytes as UTF-16LE units up to the first NUL, as a registry string
// would hand them to CLSIDFromString.
void CheckWide(const std::uint8_t* data, std::size_t size) {
  std::u16string wide;
  std::string narrow;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    const char16_t unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (unit == u'\0') break;
    wide.push_back(unit);
    narrow.push_back(unit < 0x80 ? static_cast<char>(unit) : '\x01');
  }
  const std::optional<GUID> expected = platform::ParseGuid(narrow);
  CLSID clsid{};
  IID iid{};
  const HRESULT clsidResult = CLSIDFromString(wide.c_str(), &clsid);
  const HRESULT iidResult = IIDFromString(wide.c_str(), &iid);
  FUZZ_CHECK((clsidResult == S_OK) == expected.has_value());
  FUZZ_CHECK((iidResult == S_OK) == expected.has_value());
  if (!expected) {
    FUZZ_CHECK(clsidResult == CO_E_CLASSSTRING && iidResult == E_INVALIDARG);
    return;
  }
  FUZZ_CHECK(SameGuid(clsid, *expected) && SameGuid(iid, *expected));

  char16_t buffer[40];
  FUZZ_CHECK(StringFromGUID2(clsid, buffer, 38) == 0);
  FUZZ_CHECK(StringFromGUID2(clsid, buffer, 39) == 39);
  FUZZ_CHECK(buffer[38] == u'\0');
  CLSID again{};
  FUZZ_CHECK(CLSIDFromString(buffer, &again) == S_OK && SameGuid(again, clsid));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckNarrow(std::string_view(reinterpret_cast<const char*>(data), size));
  CheckWide(data, size);
  return 0;
}
