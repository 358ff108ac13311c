// Navigate's address is layout text with ##...## expansions, so a page's
// selection or a typed word can end up in it. Whatever the text, the
// normalised address fits the browser's buffer, keeps the scheme, escapes
// everything it escapes into printable ASCII, is its own normal form, and
// still names the same user, password, host and port: escaping the
// credentials must never move where the host starts or ends.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "framework/builtin/UrlNormalisation.h"
#include "fuzz/FuzzCheck.h"

namespace {

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

std::u16string Unescaped(std::u16string_view text) {
  std::u16string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
        HexValue(text[i + 2]) >= 0) {
      plain += static_cast<char16_t>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      plain += text[i];
    }
  }
  return plain;
}

// The authority as a browser reads it: it ends at the first '/', '?' or
// '#'; the credentials end at its last '@', the user name at their first
// ':', and the port starts after the last ':' of what is left.
struct Authority {
  std::u16string_view credentials, host, port;
};

Authority AuthorityOf(std::u16string_view url) {
  std::u16string_view rest = url.substr(url.find(u"://") + 3);
  rest = rest.substr(0, rest.find_first_of(u"/?#"));
  Authority authority;
  if (const std::size_t at = rest.rfind(u'@'); at != std::u16string_view::npos) {
    authority.credentials = rest.substr(0, at);
    rest.remove_prefix(at + 1);
  }
  if (const std::size_t colon = rest.rfind(u':'); colon != std::u16string_view::npos) {
    authority.port = rest.substr(colon + 1);
    rest = rest.substr(0, colon);
  }
  authority.host = rest;
  return authority;
}

// The bytes a name stands for once its escapes are undone: a unit below
// 0x100 is its own byte, a higher one its UTF-8 bytes, as the escaping
// writes them.
std::string NameBytes(std::u16string_view escaped) {
  std::string bytes;
  for (const char16_t unit : Unescaped(escaped)) {
    if (unit < 0x100) {
      bytes.push_back(static_cast<char>(unit));
    } else if (unit < 0x800) {
      bytes.push_back(static_cast<char>(0xC0 | (unit >> 6)));
      bytes.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    } else {
      bytes.push_back(static_cast<char>(0xE0 | (unit >> 12)));
      bytes.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    }
  }
  return bytes;
}

// What the authority names. An empty password reads as none, as an empty
// user does.
struct Names {
  std::string user, password, host;
  std::u16string port;
  friend bool operator==(const Names&, const Names&) = default;
};

Names NamesOf(const Authority& authority) {
  const std::size_t colon = authority.credentials.find(u':');
  Names names{NameBytes(authority.credentials.substr(0, colon)), "", NameBytes(authority.host),
              std::u16string(authority.port)};
  if (colon != std::u16string_view::npos) {
    names.password = NameBytes(authority.credentials.substr(colon + 1));
  }
  return names;
}

bool IsPrintableAscii(char16_t c) { return c > 0x20 && c < 0x7f; }

// Everything after "scheme://" is escaped, except the port, which is kept
// as written.
bool EscapedPartsArePrintable(std::u16string_view url, const Authority& authority) {
  const std::u16string_view rest = url.substr(url.find(u"://") + 3);
  const char16_t* const portBegin = authority.port.data();
  const char16_t* const portEnd = portBegin + authority.port.size();
  for (const char16_t& c : rest) {
    if (&c >= portBegin && &c < portEnd) continue;
    if (!IsPrintableAscii(c)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The product's wide text, two bytes to a unit.
  std::u16string url;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    url.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  }
  const std::optional<std::u16string> normalised = framework::NormaliseUrl(url);
  const std::size_t schemeEnd = url.find(u"://");
  if (schemeEnd == 0 || schemeEnd == std::u16string::npos) {
    FUZZ_CHECK(!normalised);
    return 0;
  }
  if (!normalised) return 0;

  FUZZ_CHECK(normalised->size() < framework::kUrlBufferChars);
  FUZZ_CHECK(normalised->substr(0, schemeEnd + 3) == url.substr(0, schemeEnd + 3));
  // A host that holds a delimiter itself once its escapes are undone ("a%2Fb",
  // an IPv6 literal, "a:b:" with an empty port) has no one reading to keep.
  const Names names = NamesOf(AuthorityOf(url));
  if (names.host.find_first_of(":@/?#") != std::string::npos) return 0;
  const Authority authority = AuthorityOf(*normalised);
  FUZZ_CHECK(EscapedPartsArePrintable(*normalised, authority));
  FUZZ_CHECK(NamesOf(authority) == names);
  FUZZ_CHECK(framework::NormaliseUrl(*normalised) == normalised);
  return 0;
}
