#include "platform/registrar/RegistrarScript.h"

#include <charconv>
#include <utility>

#include "platform/registrar/RegistrarCase.h"
#include "platform/registrar/RegistrarLimits.h"

namespace platform {
namespace {

using registrar_detail::EqualNoCase;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::optional<HKEY> HiveFromRootName(std::string_view name) {
  struct Root {
    std::string_view shortName;
    std::string_view longName;
    HKEY hive;
  };
  const Root roots[] = {
      {"HKCR", "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
      {"HKCU", "HKEY_CURRENT_USER", HKEY_CURRENT_USER},
      {"HKLM", "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
      {"HKU", "HKEY_USERS", HKEY_USERS},
  };
  for (const Root& root : roots) {
    if (EqualNoCase(name, root.shortName) || EqualNoCase(name, root.longName)) return root.hive;
  }
  return std::nullopt;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

struct Token {
  enum class Kind { kEnd, kWord, kQuoted, kOpenBrace, kCloseBrace, kEquals };
  Kind kind = Kind::kEnd;
  std::string text;
  std::size_t offset = 0;

  // Keywords, roots, types and braces count only unquoted: a quoted 'val'
  // or '{' is a name like any other.
  bool IsWord(std::string_view word) const {
    return kind == Kind::kWord && EqualNoCase(text, word);
  }
  bool IsName() const { return kind == Kind::kWord || kind == Kind::kQuoted; }
};

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  RegistrarParseResult Run() {
    RegistrarScript script;
    if (!Advance()) return Failed();
    while (current_.kind != Token::Kind::kEnd) {
      if (!ParseRoot(script)) return Failed();
    }
    return {std::move(script), {}};
  }

 private:
  RegistrarParseResult Failed() { return {std::nullopt, error_}; }

  bool Fail(std::size_t offset, std::string reason) {
    if (error_.reason.empty()) error_ = {offset, std::move(reason)};
    return false;
  }

  bool ParseRoot(RegistrarScript& script) {
    const std::optional<HKEY> hive =
        current_.kind == Token::Kind::kWord ? HiveFromRootName(current_.text) : std::nullopt;
    if (!hive) return Fail(current_.offset, "expected a root key");
    if (!Advance()) return false;
    if (current_.kind != Token::Kind::kOpenBrace) return Fail(current_.offset, "expected '{'");
    if (!Advance()) return false;
    RegistrarRoot& root = script.roots.emplace_back();
    root.hive = *hive;
    while (current_.kind != Token::Kind::kCloseBrace) {
      if (current_.kind == Token::Kind::kEnd) return Fail(current_.offset, "missing '}'");
      RegistrarKey& key = root.keys.emplace_back();
      if (!ParseKey(key, 1)) return false;
    }
    return Advance();
  }

  bool ParseKey(RegistrarKey& key, std::size_t depth) {
    if (depth > kMaxRegistrarKeyDepth) return Fail(current_.offset, "keys nested too deeply");
    if (current_.IsWord("NoRemove")) {
      key.removal = RegistrarRemoval::kNoRemove;
      if (!Advance()) return false;
    } else if (current_.IsWord("ForceRemove")) {
      key.removal = RegistrarRemoval::kForceRemove;
      if (!Advance()) return false;
    }
    if (!current_.IsName()) return Fail(current_.offset, "expected a key name");
    if (current_.text.empty() || current_.text.size() > kMaxRegistrarKeyNameLength ||
        current_.text.find('\\') != std::string::npos) {
      return Fail(current_.offset, "invalid key name");
    }
    key.name = std::move(current_.text);
    if (!Advance()) return false;
    if (current_.kind == Token::Kind::kEquals) {
      if (!Advance()) return false;
      RegistrarValue& value = key.values.emplace_back();
      if (!ParseTypedValue(value)) return false;
    }
    if (current_.kind != Token::Kind::kOpenBrace) return true;
    if (!Advance()) return false;
    while (current_.kind != Token::Kind::kCloseBrace) {
      if (current_.kind == Token::Kind::kEnd) return Fail(current_.offset, "missing '}'");
      if (current_.IsWord("val")) {
        if (!ParseNamedValue(key.values.emplace_back())) return false;
      } else if (!ParseKey(key.subkeys.emplace_back(), depth + 1)) {
        return false;
      }
    }
    return Advance();
  }

  bool ParseNamedValue(RegistrarValue& value) {
    if (!Advance()) return false;
    if (!current_.IsName()) return Fail(current_.offset, "expected a value name");
    value.name = std::move(current_.text);
    if (!Advance()) return false;
    if (current_.kind != Token::Kind::kEquals) return Fail(current_.offset, "expected '='");
    if (!Advance()) return false;
    return ParseTypedValue(value);
  }

  bool ParseTypedValue(RegistrarValue& value) {
    const Token type = current_;
    if (!Advance()) return false;
    if (!current_.IsName()) return Fail(current_.offset, "expected a value");
    const std::string& data = current_.text;
    if (type.IsWord("s")) {
      value.type = REG_SZ;
      value.data.assign(data.begin(), data.end());
      value.data.push_back(0);
    } else if (type.IsWord("d")) {
      value.type = REG_DWORD;
      if (!ParseDword(data, value.data)) return Fail(current_.offset, "invalid number");
    } else if (type.IsWord("b")) {
      value.type = REG_BINARY;
      if (!ParseHexBytes(data, value.data)) return Fail(current_.offset, "invalid hex bytes");
    } else {
      return Fail(type.offset, "unknown value type");
    }
    return Advance();
  }

  static bool ParseDword(std::string_view text, std::vector<std::uint8_t>& data) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
      text.remove_prefix(2);
      base = 16;
    }
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return false;
    for (int shift = 0; shift < 32; shift += 8) {
      data.push_back(static_cast<std::uint8_t>(number >> shift));
    }
    return true;
  }

  static bool ParseHexBytes(std::string_view text, std::vector<std::uint8_t>& data) {
    if (text.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < text.size(); i += 2) {
      const int high = HexDigit(text[i]);
      const int low = HexDigit(text[i + 1]);
      if (high < 0 || low < 0) return false;
      data.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return true;
  }

  // Reads the next token into current_. Tokens are separated by white
  // space, as ATL reads them: a bare key name may itself start with a brace
  // ({736FA7B4-...}), so only a lone "{", "}" or "=" is punctuation.
  bool Advance() {
    while (position_ < text_.size() && IsSpace(text_[position_])) ++position_;
    current_ = Token{};
    current_.offset = position_;
    if (position_ == text_.size()) return true;
    if (text_[position_] == '\'') return ReadQuoted();
    const std::size_t start = position_;
    while (position_ < text_.size() && !IsSpace(text_[position_])) ++position_;
    const std::string_view word = text_.substr(start, position_ - start);
    if (word.size() > kMaxRegistrarTokenLength) return Fail(start, "token too long");
    if (word == "{") {
      current_.kind = Token::Kind::kOpenBrace;
    } else if (word == "}") {
      current_.kind = Token::Kind::kCloseBrace;
    } else if (word == "=") {
      current_.kind = Token::Kind::kEquals;
    } else {
      current_.kind = Token::Kind::kWord;
      current_.text = word;
    }
    return true;
  }

  bool ReadQuoted() {
    const std::size_t start = position_++;
    current_.kind = Token::Kind::kQuoted;
    for (;;) {
      if (position_ == text_.size()) return Fail(start, "unterminated quote");
      const char c = text_[position_++];
      if (c == '\'') {
        if (position_ == text_.size() || text_[position_] != '\'') return true;
        ++position_;
      }
      if (current_.text.size() == kMaxRegistrarTokenLength) return Fail(start, "token too long");
      current_.text.push_back(c);
    }
  }

  std::string_view text_;
  std::size_t position_ = 0;
  Token current_;
  RegistrarSyntaxError error_;
};

}  // namespace

RegistrarParseResult ParseRegistrarScript(std::string_view text) {
  if (text.size() > kMaxRegistrarScriptLength) return {std::nullopt, {0, "script too long"}};
  return Parser(text).Run();
}

}  // namespace platform
