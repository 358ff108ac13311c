#include "soap/runtime/XsdText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace soap {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr char kBase64Alphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t kBase64LineLength = 76;

void AppendCharacterReference(std::string& out, std::uint32_t codePoint, int digits) {
  out += "&#x";
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
    out.push_back(kHexDigits[(codePoint >> shift) & 0xF]);
  out.push_back(';');
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view TrimXmlSpace(std::string_view text) {
  while (!text.empty() && IsXmlSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsXmlSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Sign, digits, optional fraction, optional exponent: the only shapes a
// number may take, checked before from_chars (which would also take "inf"
// and "nan" in any spelling).
bool IsDecimalNumber(std::string_view text) {
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  std::size_t digits = 0;
  while (at < text.size() && IsDigit(text[at])) ++at, ++digits;
  if (at < text.size() && text[at] == '.') {
    ++at;
    while (at < text.size() && IsDigit(text[at])) ++at, ++digits;
  }
  if (digits == 0) return false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    std::size_t exponentDigits = 0;
    while (at < text.size() && IsDigit(text[at])) ++at, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return at == text.size();
}

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

void AppendEscapedText(std::string& out, std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    switch (unit) {
      case u'&':
        out += "&amp;";
        continue;
      case u'<':
        out += "&lt;";
        continue;
      case u'>':
        out += "&gt;";
        continue;  // keeps "]]>" out of the content
      case u'\t':
      case u'\n':
        out.push_back(static_cast<char>(unit));
        continue;
      default:
        break;
    }
    if (unit < 0x20) {
      // A raw CR would be turned into LF by the receiver's parser; the
      // reference keeps it, and the other controls likewise stay visible.
      AppendCharacterReference(out, unit, 4);
    } else if (unit < 0x80) {
      out.push_back(static_cast<char>(unit));
    } else if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      const std::uint32_t codePoint = 0x10000u + ((unit - 0xD800u) << 10) + (text[i + 1] - 0xDC00u);
      AppendCharacterReference(out, codePoint, 6);
      ++i;
    } else {
      AppendCharacterReference(out, unit, 4);
    }
  }
}

void AppendInt(std::string& out, std::int32_t value) {
  std::array<char, 16> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  out.append(buffer.data(), result.ptr);
}

void AppendBoolean(std::string& out, bool value) { out += value ? "true" : "false"; }

void AppendDouble(std::string& out, double value, bool allowExponent) {
  if (std::isnan(value)) {
    out += "NaN";
  } else if (std::isinf(value)) {
    out += value > 0 ? "INF" : "-INF";
  } else {
    // Fixed notation of the smallest subnormal needs about 330 characters.
    std::array<char, 512> buffer;
    const auto result = allowExponent
                            ? std::to_chars(buffer.data(), buffer.data() + buffer.size(), value)
                            : std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed);
    out.append(buffer.data(), result.ptr);
  }
}

void AppendBase64(std::string& out, const SoapBytes& bytes) {
  std::size_t lineLength = 0;
  auto put = [&](char c) {
    out.push_back(c);
    if (++lineLength == kBase64LineLength) {
      out += "\r\n";
      lineLength = 0;
    }
  };
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const std::uint32_t group = (bytes[i] << 16) | (bytes[i + 1] << 8) | bytes[i + 2];
    put(kBase64Alphabet[group >> 18]);
    put(kBase64Alphabet[(group >> 12) & 0x3F]);
    put(kBase64Alphabet[(group >> 6) & 0x3F]);
    put(kBase64Alphabet[group & 0x3F]);
  }
  const std::size_t rest = bytes.size() - i;
  if (rest == 0) return;
  const std::uint32_t group = (bytes[i] << 16) | (rest == 2 ? bytes[i + 1] << 8 : 0);
  put(kBase64Alphabet[group >> 18]);
  put(kBase64Alphabet[(group >> 12) & 0x3F]);
  put(rest == 2 ? kBase64Alphabet[(group >> 6) & 0x3F] : '=');
  put('=');
}

void AppendHexBinary(std::string& out, const SoapBytes& bytes) {
  for (std::uint8_t byte : bytes) {
    out.push_back(kHexDigits[byte >> 4]);
    out.push_back(kHexDigits[byte & 0xF]);
  }
}

std::optional<std::int32_t> ReadInt(std::string_view text) {
  text = TrimXmlSpace(text);
  // One optional sign, then digits only; from_chars alone would take no '+'.
  const bool signed_ = !text.empty() && (text.front() == '+' || text.front() == '-');
  if (text.size() <= (signed_ ? 1u : 0u) || !IsDigit(text[signed_ ? 1 : 0])) return std::nullopt;
  if (text.front() == '+') text.remove_prefix(1);
  std::int32_t value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<bool> ReadBoolean(std::string_view text) {
  if (text == "true" || text == "1") return true;
  if (text == "false" || text == "0") return false;
  return std::nullopt;
}

std::optional<double> ReadDouble(std::string_view text) {
  text = TrimXmlSpace(text);
  if (text == "INF") return std::numeric_limits<double>::infinity();
  if (text == "-INF") return -std::numeric_limits<double>::infinity();
  if (text == "NaN") return std::numeric_limits<double>::quiet_NaN();
  if (!IsDecimalNumber(text)) return std::nullopt;
  if (text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<SoapBytes> ReadBase64(std::string_view text) {
  SoapBytes bytes;
  bytes.reserve(text.size() / 4 * 3);
  std::uint32_t group = 0;
  int groupLength = 0;
  int padding = 0;
  for (char c : text) {
    if (IsXmlSpace(c)) continue;
    if (c == '=') {
      // Padding only completes the last group, after at least two characters.
      if (groupLength + padding < 2) return std::nullopt;
      ++padding;
      if (groupLength + padding > 4) return std::nullopt;
      continue;
    }
    const int value = Base64Value(c);
    if (value < 0 || padding > 0) return std::nullopt;
    group = (group << 6) | static_cast<std::uint32_t>(value);
    if (++groupLength == 4) {
      bytes.push_back(static_cast<std::uint8_t>(group >> 16));
      bytes.push_back(static_cast<std::uint8_t>(group >> 8));
      bytes.push_back(static_cast<std::uint8_t>(group));
      group = 0;
      groupLength = 0;
    }
  }
  if (groupLength == 0) return padding == 0 ? std::optional(bytes) : std::nullopt;
  if (groupLength + padding != 4) return std::nullopt;
  group <<= 6 * padding;
  bytes.push_back(static_cast<std::uint8_t>(group >> 16));
  if (groupLength == 3) bytes.push_back(static_cast<std::uint8_t>(group >> 8));
  return bytes;
}

std::optional<SoapBytes> ReadHexBinary(std::string_view text) {
  text = TrimXmlSpace(text);
  if (text.size() % 2 != 0) return std::nullopt;
  SoapBytes bytes;
  bytes.reserve(text.size() / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = HexValue(text[i]);
    const int low = HexValue(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
  }
  return bytes;
}

const char* XsdTypeName(int type) {
  static constexpr const char* kNames[kXsdTypeCount] = {"string",
                                                        "boolean",
                                                        "float",
                                                        "double",
                                                        "decimal",
                                                        "duration",
                                                        "hexBinary",
                                                        "base64Binary",
                                                        "anyURI",
                                                        "ID",
                                                        "IDREF",
                                                        "ENTITY",
                                                        "NOTATION",
                                                        "QName",
                                                        "normalizedString",
                                                        "token",
                                                        "language",
                                                        "IDREFS",
                                                        "ENTITIES",
                                                        "NMTOKEN",
                                                        "NMTOKENS",
                                                        "Name",
                                                        "NCName",
                                                        "integer",
                                                        "nonPositiveInteger",
                                                        "negativeInteger",
                                                        "long",
                                                        "int",
                                                        "short",
                                                        "byte",
                                                        "nonNegativeInteger",
                                                        "unsignedLong",
                                                        "unsignedInt",
                                                        "unsignedShort",
                                                        "unsignedByte",
                                                        "positiveInteger",
                                                        "dateTime",
                                                        "time",
                                                        "date",
                                                        "gMonth",
                                                        "gYearMonth",
                                                        "gYear",
                                                        "gMonthDay",
                                                        "gDay"};
  return type >= 0 && type < kXsdTypeCount ? kNames[type] : "";
}

}  // namespace soap
