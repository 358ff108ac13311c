#if defined(_WIN32)

#include "platform/xml/XmlSaveText_windows.h"

#include <windows.h>

#include <charconv>

#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"
#include "platform/xml/DocumentProlog.h"

namespace platform::xml_detail {
namespace {

enum class Form { kUtf8, kUtf16, kCodePage };

struct Encoding {
  Form form;
  UINT codePage = 0;
};

// The number after `prefix` in `name`, when that is all there is.
std::optional<unsigned> NumberAfter(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return std::nullopt;
  name.remove_prefix(prefix.size());
  unsigned number = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
  if (error != std::errc() || end != name.data() + name.size()) return std::nullopt;
  return number;
}

std::optional<Encoding> EncodingNamed(std::string_view name) {
  const std::string lower = AnsiToLower(name);
  if (lower == "utf-8") return Encoding{Form::kUtf8};
  if (lower == "utf-16") return Encoding{Form::kUtf16};
  if (lower == "us-ascii") return Encoding{Form::kCodePage, 20127};
  if (const auto latin = NumberAfter(lower, "iso-8859-")) {
    if ((*latin >= 1 && *latin <= 9) || *latin == 13 || *latin == 15) {
      return Encoding{Form::kCodePage, 28590 + *latin};
    }
  }
  if (const auto page = NumberAfter(lower, "windows-")) {
    if (*page >= 1250 && *page <= 1258) return Encoding{Form::kCodePage, *page};
  }
  return std::nullopt;
}

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// The markup after the declaration MSXML writes, if it writes one.
std::u16string_view BodyOf(std::u16string_view xmlText) {
  if (!xmlText.starts_with(u"<?xml") || xmlText.size() < 6 || !IsSpace(xmlText[5])) {
    return xmlText;
  }
  const std::size_t end = xmlText.find(u"?>");
  if (end == std::u16string_view::npos) return xmlText;
  xmlText.remove_prefix(end + 2);
  if (xmlText.starts_with(u"\r")) xmlText.remove_prefix(1);
  if (xmlText.starts_with(u"\n")) xmlText.remove_prefix(1);
  return xmlText;
}

std::string Utf16LittleEndian(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  bytes.reserve(2 + 2 * text.size());
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Every code page named above writes ASCII as itself, so only the other
// characters go through WideCharToMultiByte, one at a time so that each one
// the page lacks becomes its own character reference.
std::string InCodePage(std::u16string_view text, UINT codePage) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] < 0x80) {
      bytes.push_back(static_cast<char>(text[i++]));
      continue;
    }
    const bool pair =
        IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
    const int units = pair ? 2 : 1;
    char32_t codePoint = text[i];
    if (pair) {
      codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (text[i + 1] - 0xDC00);
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      codePoint = 0xFFFD;  // unpaired, as WideToUtf8 writes it
    }
    char encoded[8];
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, AsWchar(&text[i]), units,
                                           encoded, sizeof encoded, nullptr, &usedDefault);
    if (length > 0 && !usedDefault) {
      bytes.append(encoded, static_cast<std::size_t>(length));
    } else {
      bytes += "&#" + std::to_string(static_cast<std::uint32_t>(codePoint)) + ";";
    }
    i += static_cast<std::size_t>(units);
  }
  return bytes;
}

}  // namespace

std::string SaveText(std::u16string_view xmlText, const std::optional<std::string>& declaration) {
  const std::string_view declared = declaration ? std::string_view(*declaration) : "";
  const auto version = DeclarationValue(declared, "version");
  auto encodingName = DeclarationValue(declared, "encoding");
  const auto standalone = DeclarationValue(declared, "standalone");

  Encoding encoding{Form::kUtf8};
  if (encodingName) {
    if (const auto named = EncodingNamed(*encodingName)) {
      encoding = *named;
    } else {
      encodingName = "UTF-8";
    }
  }

  std::string head = "<?xml version=\"" + version.value_or("1.0") + "\"";
  if (encodingName) head += " encoding=\"" + *encodingName + "\"";
  if (standalone) head += " standalone=\"" + *standalone + "\"";
  head += "?>\n";
  const std::u16string text = AnsiToWide(head) + std::u16string(BodyOf(xmlText));

  switch (encoding.form) {
    case Form::kUtf16:
      return Utf16LittleEndian(text);
    case Form::kCodePage:
      return InCodePage(text, encoding.codePage);
    case Form::kUtf8:
      break;
  }
  return WideToUtf8(text);
}

}  // namespace platform::xml_detail

#endif  // _WIN32
