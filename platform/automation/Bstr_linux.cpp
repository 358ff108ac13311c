#include "platform/automation/Bstr.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// The byte length sits in front of the characters, as on Windows, so the
// length of a string with embedded NULs survives.
constexpr std::size_t kPrefixBytes = sizeof(std::uint32_t);

std::uint32_t* PrefixOf(BSTR text) {
  return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(text) - kPrefixBytes);
}

}  // namespace

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  const std::size_t bytes = std::size_t{length} * sizeof(OLECHAR);
  if (bytes > 0xFFFFFFF0u) return nullptr;
  char* block = static_cast<char*>(std::malloc(kPrefixBytes + bytes + sizeof(OLECHAR)));
  if (block == nullptr) return nullptr;
  const std::uint32_t byteLength = static_cast<std::uint32_t>(bytes);
  std::memcpy(block, &byteLength, kPrefixBytes);
  BSTR result = reinterpret_cast<BSTR>(block + kPrefixBytes);
  if (text != nullptr) {
    std::memcpy(result, text, bytes);
  } else {
    std::memset(result, 0, bytes);
  }
  result[length] = u'\0';
  return result;
}

BSTR SysAllocString(const OLECHAR* text) {
  if (text == nullptr) return nullptr;
  return SysAllocStringLen(text, static_cast<UINT>(std::char_traits<char16_t>::length(text)));
}

void SysFreeString(BSTR text) {
  if (text != nullptr) std::free(PrefixOf(text));
}

UINT SysStringLen(BSTR text) {
  if (text == nullptr) return 0;
  std::uint32_t byteLength = 0;
  std::memcpy(&byteLength, PrefixOf(text), kPrefixBytes);
  return byteLength / sizeof(OLECHAR);
}
