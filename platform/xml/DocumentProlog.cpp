#include "platform/xml/DocumentProlog.h"

#include <cstddef>

namespace platform::xml_detail {
namespace {

using namespace std::string_view_literals;

// How code units sit in the bytes: where the first one starts (after a byte
// order mark), how wide each is, and which of its bytes holds an ASCII
// character's value while the others are zero.
struct UnitForm {
  std::size_t start;
  std::size_t width;
  std::size_t significant;
};

struct FormSignature {
  std::string_view bytes;
  UnitForm form;
};

// Longer signatures first: UTF-32's marks begin like UTF-16's.
constexpr FormSignature kSignatures[] = {
    {"\x00\x00\xFE\xFF"sv, {4, 4, 3}}, {"\xFF\xFE\x00\x00"sv, {4, 4, 0}},
    {"\x00\x00\x00\x3C"sv, {0, 4, 3}}, {"\x3C\x00\x00\x00"sv, {0, 4, 0}},
    {"\x00\x3C\x00\x3F"sv, {0, 2, 1}}, {"\x3C\x00\x3F\x00"sv, {0, 2, 0}},
    {"\xEF\xBB\xBF"sv, {3, 1, 0}},     {"\xFE\xFF"sv, {2, 2, 1}},
    {"\xFF\xFE"sv, {2, 2, 0}},
};

// "<?xm" in EBCDIC: markup this reader cannot see.
constexpr std::string_view kEbcdicSignature = "\x4C\x6F\xA7\x94"sv;

constexpr int kEnd = -1;
constexpr int kNotAscii = -2;

class Units {
 public:
  Units(std::string_view bytes, UnitForm form) : bytes_(bytes), form_(form) {}

  // The ASCII character of unit `index`, kNotAscii for any other character,
  // kEnd past the last whole unit.
  int At(std::size_t index) const {
    const std::size_t offset = form_.start + index * form_.width;
    if (offset + form_.width > bytes_.size()) return kEnd;
    for (std::size_t byte = 0; byte < form_.width; ++byte) {
      if (byte != form_.significant && bytes_[offset + byte] != '\0') return kNotAscii;
    }
    const auto value = static_cast<unsigned char>(bytes_[offset + form_.significant]);
    return value < 0x80 ? value : kNotAscii;
  }

  bool Matches(std::size_t index, std::string_view ascii) const {
    for (std::size_t i = 0; i < ascii.size(); ++i) {
      if (At(index + i) != ascii[i]) return false;
    }
    return true;
  }

  // The index of the next `ascii` at or after `from`.
  std::optional<std::size_t> Find(std::size_t from, std::string_view ascii) const {
    for (std::size_t index = from; At(index) != kEnd; ++index) {
      if (Matches(index, ascii)) return index;
    }
    return std::nullopt;
  }

  // Units [from, to) as ASCII text, '?' for any other character.
  std::string Text(std::size_t from, std::size_t to) const {
    std::string text;
    text.reserve(to - from);
    for (std::size_t index = from; index < to; ++index) {
      const int c = At(index);
      text.push_back(c >= 0 ? static_cast<char>(c) : '?');
    }
    return text;
  }

 private:
  std::string_view bytes_;
  UnitForm form_;
};

bool IsSpace(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

UnitForm FormOf(std::string_view bytes) {
  for (const FormSignature& signature : kSignatures) {
    if (bytes.starts_with(signature.bytes)) return signature.form;
  }
  return {0, 1, 0};
}

}  // namespace

DocumentProlog ReadDocumentProlog(std::string_view bytes) {
  DocumentProlog prolog;
  if (bytes.starts_with(kEbcdicSignature)) {
    prolog.verdict = PrologVerdict::kUnreadable;
    return prolog;
  }
  const Units units(bytes, FormOf(bytes));
  std::size_t index = 0;
  for (;;) {
    const int c = units.At(index);
    if (c == 0) {
      prolog.verdict = PrologVerdict::kUnreadable;
      return prolog;
    }
    if (IsSpace(c)) {
      ++index;
      continue;
    }
    std::optional<std::size_t> end;
    if (units.Matches(index, "<?")) {
      end = units.Find(index + 2, "?>");
      // Only the very first thing may be the declaration.
      if (end && index == 0 && units.Matches(0, "<?xml") && IsSpace(units.At(5))) {
        prolog.declaration = units.Text(5, *end);
      }
      if (end) *end += 2;
    } else if (units.Matches(index, "<!--")) {
      end = units.Find(index + 4, "-->");
      if (end) *end += 3;
    } else if (units.Matches(index, "<!DOCTYPE")) {
      prolog.verdict = PrologVerdict::kDocumentType;
      return prolog;
    }
    // The root element, the end of the bytes, an unfinished construct or
    // anything else: nothing after it can be a document type the parser
    // would take.
    if (!end) return prolog;
    index = *end;
  }
}

std::optional<std::string> DeclarationValue(std::string_view declaration, std::string_view name) {
  for (std::size_t at = declaration.find(name); at != std::string_view::npos;
       at = declaration.find(name, at + 1)) {
    if (at > 0 && !IsSpace(declaration[at - 1])) continue;
    std::size_t pos = at + name.size();
    while (pos < declaration.size() && IsSpace(declaration[pos])) ++pos;
    if (pos == declaration.size() || declaration[pos] != '=') continue;
    ++pos;
    while (pos < declaration.size() && IsSpace(declaration[pos])) ++pos;
    if (pos == declaration.size() || (declaration[pos] != '\'' && declaration[pos] != '"')) {
      return std::nullopt;
    }
    const std::size_t close = declaration.find(declaration[pos], pos + 1);
    if (close == std::string_view::npos) return std::nullopt;
    return std::string(declaration.substr(pos + 1, close - pos - 1));
  }
  return std::nullopt;
}

}  // namespace platform::xml_detail
