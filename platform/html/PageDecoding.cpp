#include "platform/html/PageDecoding.h"

#include <algorithm>
#include <optional>

#include "platform/text/CodePage.h"

namespace platform::html {
namespace {

enum class Charset { kUtf8, kUtf16Le, kUtf16Be, kWindows1252 };

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::string Trimmed(std::string_view text) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::optional<Charset> CharsetNamed(std::string_view name) {
  const std::string lower = Lower(Trimmed(name));
  if (lower.empty()) return std::nullopt;
  if (lower == "utf-8" || lower == "utf8") return Charset::kUtf8;
  if (lower == "utf-16" || lower == "utf-16le") return Charset::kUtf16Le;
  if (lower == "utf-16be") return Charset::kUtf16Be;
  return Charset::kWindows1252;
}

// The value after "charset=" in a text, up to a quote, blank, semicolon or
// tag end.
std::string CharsetAfterKeyword(std::string_view text) {
  const std::string lower = Lower(text);
  const auto at = lower.find("charset=");
  if (at == std::string::npos) return {};
  std::size_t begin = at + 8;
  while (begin < text.size() && (text[begin] == '"' || text[begin] == '\'' || text[begin] == ' ')) {
    ++begin;
  }
  std::size_t end = begin;
  while (end < text.size() && std::string_view("\"'; \t>/").find(text[end]) == std::string::npos) {
    ++end;
  }
  return std::string(text.substr(begin, end - begin));
}

// True for well-formed UTF-8 that holds at least one multi-byte sequence.
bool LooksLikeUtf8(std::string_view bytes) {
  bool multiByte = false;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = lead < 0x80           ? 1
                         : (lead >> 5) == 0x6  ? 2
                         : (lead >> 4) == 0xE  ? 3
                         : (lead >> 3) == 0x1E ? 4
                                               : 0;
    if (length == 0 || lead == 0xC0 || lead == 0xC1 || i + length > bytes.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    multiByte = multiByte || length > 1;
    i += length;
  }
  return multiByte;
}

std::u16string Utf16Of(std::string_view bytes, bool littleEndian) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    text.push_back(
        static_cast<char16_t>(littleEndian ? first | (second << 8) : (first << 8) | second));
  }
  return text;
}

std::string Convert(std::string_view bytes, Charset charset) {
  switch (charset) {
    case Charset::kUtf8:
      // Re-encoding replaces malformed sequences, so the parser never sees
      // invalid UTF-8.
      return WideToUtf8(Utf8ToWide(bytes));
    case Charset::kUtf16Le:
      return WideToUtf8(Utf16Of(bytes, true));
    case Charset::kUtf16Be:
      return WideToUtf8(Utf16Of(bytes, false));
    case Charset::kWindows1252:
      return WideToUtf8(AnsiToWide(bytes));
  }
  return {};
}

std::optional<Charset> MetaCharset(std::string_view bytes) {
  const std::string_view head = bytes.substr(0, 1024);
  const std::string lower = Lower(head);
  for (std::size_t at = lower.find("<meta"); at != std::string::npos;
       at = lower.find("<meta", at + 5)) {
    const auto end = lower.find('>', at);
    const std::string_view tag =
        head.substr(at, end == std::string::npos ? std::string::npos : end - at);
    if (auto charset = CharsetNamed(CharsetAfterKeyword(tag))) return charset;
  }
  return std::nullopt;
}

}  // namespace

std::string DecodePageToUtf8(std::string_view bytes, std::string_view declaredCharset) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return Convert(bytes.substr(3), Charset::kUtf8);
  if (bytes.substr(0, 2) == "\xFF\xFE") return Convert(bytes.substr(2), Charset::kUtf16Le);
  if (bytes.substr(0, 2) == "\xFE\xFF") return Convert(bytes.substr(2), Charset::kUtf16Be);
  if (auto declared = CharsetNamed(declaredCharset)) return Convert(bytes, *declared);
  if (auto meta = MetaCharset(bytes)) {
    // A page cannot announce a 16-bit charset from inside 8-bit text.
    const Charset charset =
        *meta == Charset::kUtf16Le || *meta == Charset::kUtf16Be ? Charset::kUtf8 : *meta;
    return Convert(bytes, charset);
  }
  return Convert(bytes, LooksLikeUtf8(bytes) ? Charset::kUtf8 : Charset::kWindows1252);
}

std::string CharsetOfContentType(std::string_view contentType) {
  return Trimmed(CharsetAfterKeyword(contentType));
}

}  // namespace platform::html
