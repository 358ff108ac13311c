// The element-name hash of the SOAP runtime: h = h * 33 + c from 0, modulo
// 2^32, over the name's code units. Descriptor tables carry it for every
// name so a response element is matched by one integer compare before any
// text compare; it is constexpr so the tables hold it as constant data.
#pragma once

#include <cstdint>
#include <string_view>

namespace soap {

template <typename Char>
constexpr std::uint32_t ElementHash(std::basic_string_view<Char> name) {
  std::uint32_t hash = 0;
  for (Char c : name) hash = hash * 33u + static_cast<std::uint32_t>(c);
  return hash;
}

constexpr std::uint32_t ElementHash(const char* name) { return ElementHash(std::string_view(name)); }
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

}  // namespace soap
