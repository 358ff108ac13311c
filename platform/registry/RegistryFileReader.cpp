// Imports .reg text through the public key API, so an import obeys the same
// rules (denials included) as any other writer. The reader is strict about
// each line and lenient about the file: a line it cannot read is counted and
// skipped, and the rest still imports.
#include <fstream>
#include <iterator>
#include <optional>

#include "platform/registry/RegistryFile.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTree.h"
#include "platform/text/CodePage.h"

namespace platform {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string Utf8ToAnsi(std::string_view utf8) { return WideToAnsi(Utf8ToWide(utf8)); }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Splits into lines (CRLF or LF) and joins hex data continued with a
// trailing backslash onto one logical line.
std::vector<std::string> LogicalLines(std::string_view text) {
  std::vector<std::string> lines;
  bool continuing = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (continuing) {
      lines.back() += Trim(line);
    } else {
      lines.emplace_back(line);
    }
    std::string& current = lines.back();
    continuing =
        !current.empty() && current.back() == '\\' && current.find("=hex") != std::string::npos;
    if (continuing) current.pop_back();
  }
  return lines;
}

// Reads a quoted string with \\ and \" escapes starting at text[0] == '"';
// advances `text` past the closing quote. Returns the UTF-8 content.
std::optional<std::string> ReadQuoted(std::string_view& text) {
  if (text.empty() || text.front() != '"') return std::nullopt;
  std::string content;
  for (std::size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      text.remove_prefix(i + 1);
      return content;
    }
    if (c == '\\') {
      if (i + 1 >= text.size() || (text[i + 1] != '\\' && text[i + 1] != '"')) return std::nullopt;
      content.push_back(text[++i]);
    } else {
      content.push_back(c);
    }
  }
  return std::nullopt;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::uint32_t> ParseHexNumber(std::string_view text, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  std::uint32_t number = 0;
  for (char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    number = (number << 4) | static_cast<std::uint32_t>(digit);
  }
  return number;
}

// "01,ab, ff" -> bytes; an empty list is an empty value.
std::optional<std::vector<std::uint8_t>> ParseByteList(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  text = Trim(text);
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const auto byte = ParseHexNumber(Trim(text.substr(0, comma)), 2);
    if (!byte) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(*byte));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
    if (Trim(text).empty()) return std::nullopt;  // dangling comma
  }
  return bytes;
}

// UTF-16LE bytes of hex(1)/hex(2) data back to the ANSI bytes they carry.
std::optional<std::vector<std::uint8_t>> Utf16LeToAnsiBytes(
    const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  std::u16string wide;
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    wide.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
  }
  const std::string ansi = WideToAnsi(wide);
  return std::vector<std::uint8_t>(ansi.begin(), ansi.end());
}

struct ParsedData {
  bool remove = false;
  DWORD type = REG_NONE;
  std::vector<std::uint8_t> bytes;
};

std::optional<ParsedData> ParseData(std::string_view text) {
  text = Trim(text);
  ParsedData data;
  if (text == "-") {
    data.remove = true;
    return data;
  }
  if (!text.empty() && text.front() == '"') {
    auto content = ReadQuoted(text);
    if (!content || !Trim(text).empty()) return std::nullopt;
    const std::string ansi = Utf8ToAnsi(*content);
    data.type = REG_SZ;
    data.bytes.assign(ansi.begin(), ansi.end());
    data.bytes.push_back(0);
    return data;
  }
  if (text.starts_with("dword:")) {
    const auto number = ParseHexNumber(text.substr(6), 8);
    if (!number) return std::nullopt;
    data.type = REG_DWORD;
    for (int shift = 0; shift < 32; shift += 8) {
      data.bytes.push_back(static_cast<std::uint8_t>(*number >> shift));
    }
    return data;
  }
  std::string_view list;
  if (text.starts_with("hex:")) {
    data.type = REG_BINARY;
    list = text.substr(4);
  } else if (text.starts_with("hex(")) {
    const std::size_t close = text.find("):");
    if (close == std::string_view::npos) return std::nullopt;
    const auto type = ParseHexNumber(text.substr(4, close - 4), 8);
    if (!type) return std::nullopt;
    data.type = *type;
    list = text.substr(close + 2);
  } else {
    return std::nullopt;
  }
  auto bytes = ParseByteList(list);
  if (!bytes) return std::nullopt;
  if (data.type == REG_SZ || data.type == REG_EXPAND_SZ) bytes = Utf16LeToAnsiBytes(*bytes);
  if (!bytes) return std::nullopt;
  data.bytes = std::move(*bytes);
  return data;
}

class Importer {
 public:
  // Returns false for a line it could not read.
  bool Line(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';') return true;
    if (trimmed.front() == '[') return Section(trimmed);
    return ValueLine(trimmed);
  }

 private:
  bool Section(std::string_view line) {
    key_.Close();
    const std::size_t close = line.rfind(']');
    if (close != line.size() - 1) return false;
    std::string_view inside = line.substr(1, close - 1);
    const bool remove = !inside.empty() && inside.front() == '-';
    if (remove) inside.remove_prefix(1);
    const std::string path = Utf8ToAnsi(inside);
    const std::size_t separator = path.find('\\');
    const auto hive = registry_detail::HiveFromName(path.substr(0, separator));
    if (!hive) return false;
    const std::string subKey = separator == std::string::npos ? "" : path.substr(separator + 1);
    const HKEY root = registry_detail::HiveHandle(*hive);
    if (remove) {
      const LSTATUS status = DeleteRegistryTree(root, subKey);
      return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    return key_.Create(root, subKey, KEY_ALL_ACCESS) == ERROR_SUCCESS;
  }

  bool ValueLine(std::string_view line) {
    if (!key_.IsOpen()) return false;
    std::string name;
    if (line.front() == '@') {
      line.remove_prefix(1);
    } else {
      auto quoted = ReadQuoted(line);
      if (!quoted) return false;
      name = Utf8ToAnsi(*quoted);
    }
    line = Trim(line);
    if (line.empty() || line.front() != '=') return false;
    const auto data = ParseData(line.substr(1));
    if (!data) return false;
    if (data->remove) {
      const LSTATUS status = key_.DeleteValue(name);
      return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    return key_.SetValue(name, data->type, data->bytes.data(),
                         static_cast<DWORD>(data->bytes.size())) == ERROR_SUCCESS;
  }

  RegistryKey key_;
};

}  // namespace

LSTATUS ImportRegistryText(std::string_view text, std::size_t* skippedLines) {
  if (skippedLines != nullptr) *skippedLines = 0;
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  const std::vector<std::string> lines = LogicalLines(text);
  std::size_t first = 0;
  while (first < lines.size() && Trim(lines[first]).empty()) ++first;
  if (first == lines.size() || Trim(lines[first]) != kHeader) return ERROR_INVALID_DATA;

  Importer importer;
  std::size_t skipped = 0;
  for (std::size_t i = first + 1; i < lines.size(); ++i) {
    if (!importer.Line(lines[i])) ++skipped;
  }
  if (skippedLines != nullptr) *skippedLines = skipped;
  return ERROR_SUCCESS;
}

LSTATUS LoadRegistryFile(const std::filesystem::path& file, std::size_t* skippedLines) {
  std::ifstream stream(file, std::ios::binary);
  if (!stream) return ERROR_FILE_NOT_FOUND;
  const std::string text((std::istreambuf_iterator<char>(stream)),
                         std::istreambuf_iterator<char>());
  if (stream.bad()) return ERROR_FILE_NOT_FOUND;
  return ImportRegistryText(text, skippedLines);
}

}  // namespace platform
