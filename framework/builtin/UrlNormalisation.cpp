#include "framework/builtin/UrlNormalisation.h"

namespace framework {

namespace {

struct UrlParts {
  std::u16string scheme, user, password, host, port, path, extra;
};

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// "%xx" becomes the byte it names; a '%' not followed by two hex digits
// stays as it is.
std::u16string Unescape(std::u16string_view text) {
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

bool IsUnsafe(char16_t c, std::u16string_view alsoUnsafe) {
  if (c <= 0x20 || c >= 0x7f) return true;
  return std::u16string_view(u"\"<>%{}|\\^`").find(c) != std::u16string_view::npos ||
         alsoUnsafe.find(c) != std::u16string_view::npos;
}

// Unsafe characters become "%xx"; characters beyond Latin-1 are written as
// UTF-8 bytes, each escaped.
std::u16string Escape(std::u16string_view text, std::u16string_view alsoUnsafe = {}) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  std::u16string escaped;
  auto byte = [&](unsigned value) {
    escaped += u'%';
    escaped += kHex[(value >> 4) & 0xF];
    escaped += kHex[value & 0xF];
  };
  for (char16_t c : text) {
    if (!IsUnsafe(c, alsoUnsafe)) {
      escaped += c;
    } else if (c < 0x100) {
      byte(c);
    } else if (c < 0x800) {
      byte(0xC0 | (c >> 6));
      byte(0x80 | (c & 0x3F));
    } else {
      byte(0xE0 | (c >> 12));
      byte(0x80 | ((c >> 6) & 0x3F));
      byte(0x80 | (c & 0x3F));
    }
  }
  return escaped;
}

bool Fits(std::u16string_view part) { return part.size() < kUrlBufferChars; }

std::optional<UrlParts> Split(std::u16string_view url) {
  const std::size_t schemeEnd = url.find(u"://");
  if (schemeEnd == 0 || schemeEnd == std::u16string_view::npos) return std::nullopt;
  UrlParts parts;
  parts.scheme = url.substr(0, schemeEnd);
  std::u16string_view rest = url.substr(schemeEnd + 3);
  const std::size_t authorityEnd = rest.find_first_of(u"/?#");
  std::u16string_view authority = rest.substr(0, authorityEnd);
  std::u16string_view tail =
      authorityEnd == std::u16string_view::npos ? u"" : rest.substr(authorityEnd);
  if (const std::size_t at = authority.rfind(u'@'); at != std::u16string_view::npos) {
    std::u16string_view credentials = authority.substr(0, at);
    const std::size_t colon = credentials.find(u':');
    parts.user = Unescape(credentials.substr(0, colon));
    if (colon != std::u16string_view::npos)
      parts.password = Unescape(credentials.substr(colon + 1));
    authority = authority.substr(at + 1);
  }
  if (const std::size_t colon = authority.rfind(u':'); colon != std::u16string_view::npos) {
    parts.port = authority.substr(colon + 1);
    authority = authority.substr(0, colon);
  }
  parts.host = Unescape(authority);
  const std::size_t extraStart = tail.find_first_of(u"?#");
  parts.path = Unescape(tail.substr(0, extraStart));
  if (extraStart != std::u16string_view::npos) parts.extra = Unescape(tail.substr(extraStart));
  for (const std::u16string* part : {&parts.scheme, &parts.user, &parts.password, &parts.host,
                                     &parts.port, &parts.path, &parts.extra}) {
    if (!Fits(*part)) return std::nullopt;
  }
  return parts;
}

std::u16string Rebuild(const UrlParts& parts) {
  std::u16string url = parts.scheme + u"://";
  if (!parts.user.empty() || !parts.password.empty()) {
    // An unescaped '@', ':' or '/' here would move where the host starts,
    // and a '?' or '#' would end the authority before the host.
    constexpr std::u16string_view kCredentialDelimiters = u"@:/?#";
    url += Escape(parts.user, kCredentialDelimiters);
    if (!parts.password.empty()) url += u':' + Escape(parts.password, kCredentialDelimiters);
    url += u'@';
  }
  url += Escape(parts.host);
  if (!parts.port.empty()) url += u':' + parts.port;
  url += Escape(parts.path);
  url += Escape(parts.extra);
  return url;
}

}  // namespace

std::optional<std::u16string> NormaliseUrl(std::u16string_view url) {
  std::optional<UrlParts> parts = Split(url);
  if (!parts) return std::nullopt;
  std::u16string rebuilt = Rebuild(*parts);
  if (!Fits(rebuilt)) return std::nullopt;
  return rebuilt;
}

}  // namespace framework
