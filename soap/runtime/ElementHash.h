// The element-name hash of the SOAP runtime: h = h * 33 + c from 0, modulo
// 2^32, over the name's code units. Descriptor tables carry it for every
// name so a response element is matched by one integer compare before any
// text compare; it is constexpr so the tables hold it as constant data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace soap {

// Four units per step, and the last one to three in one expression, with
// the powers of 33 folded in: the same value as one unit at a time in about
// half the instructions, which counts because every element of a response
// is hashed.
template <typename Char>
constexpr std::uint32_t ElementHash(std::basic_string_view<Char> name) {
  const auto unit = [&name](std::size_t i) { return static_cast<std::uint32_t>(name[i]); };
  std::uint32_t hash = 0;
  std::size_t i = 0;
  for (; i + 4 <= name.size(); i += 4) {
    hash =
        hash * 1185921u + unit(i) * 35937u + unit(i + 1) * 1089u + unit(i + 2) * 33u + unit(i + 3);
  }
  switch (name.size() - i) {
    case 3:
      return hash * 35937u + unit(i) * 1089u + unit(i + 1) * 33u + unit(i + 2);
    case 2:
      return hash * 1089u + unit(i) * 33u + unit(i + 1);
    case 1:
      return hash * 33u + unit(i);
    default:
      return hash;
  }
}

constexpr std::uint32_t ElementHash(const char* name) {
  return ElementHash(std::string_view(name));
}
constexpr std::uint32_t ElementHash(const char16_t* name) {
  return ElementHash(std::u16string_view(name));
}

static_assert(ElementHash("GetMemberAdsResponse") == 0x793B137Fu);
static_assert(ElementHash(u"GetMemberAdsResponse") == 0x793B137Fu);
static_assert(ElementHash("encryptedMemberId") == 0x9F236B73u);
static_assert(ElementHash("http://schemas.xmlsoap.org/soap/envelope/") == 0x5D3574E2u);
static_assert(ElementHash("Envelope") == 0xDBE6009Eu);
static_assert(ElementHash("Header") == 0xAF4DFFC9u);
static_assert(ElementHash("Body") == 0x0026168Eu);
static_assert(ElementHash("") == 0 && ElementHash("a") == 97u &&
              ElementHash("Title") == 0x062B99E2u);
static_assert(ElementHash("ab") == 3299u && ElementHash("abc") == 108966u &&
              ElementHash("abcd") == 3595978u);

}  // namespace soap
