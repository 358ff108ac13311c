// Writes the tree as .reg text. Strings go out as quoted text when that can
// carry them exactly (one terminating NUL, no line breaks); anything else
// falls back to the hex forms regedit uses, so no byte is lost.
#include <cstdio>
#include <fstream>
#include <system_error>

#include "platform/registry/RegistryFile.h"
#include "platform/registry/RegistryTree.h"
#include "platform/text/CodePage.h"

namespace platform {
namespace {

using registry_detail::KeyNode;
using registry_detail::Value;

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kWrapColumn = 76;

std::string AnsiToUtf8(std::string_view ansi) { return WideToUtf8(AnsiToWide(ansi)); }

std::string Quoted(std::string_view ansi) {
  std::string quoted = "\"";
  for (char c : AnsiToUtf8(ansi)) {
    if (c == '\\' || c == '"') quoted.push_back('\\');
    quoted.push_back(c);
  }
  quoted.push_back('"');
  return quoted;
}

bool IsPlainString(const Value& value) {
  if (value.type != REG_SZ || value.data.empty() || value.data.back() != 0) return false;
  for (std::size_t i = 0; i + 1 < value.data.size(); ++i) {
    const auto byte = value.data[i];
    if (byte == 0 || byte == '\r' || byte == '\n') return false;
  }
  return true;
}

// The ANSI bytes of a string value as the UTF-16LE bytes regedit expects in
// hex(1) and hex(2) data.
std::vector<std::uint8_t> Utf16LeBytes(const std::vector<std::uint8_t>& ansi) {
  const std::u16string wide =
      AnsiToWide(std::string_view(reinterpret_cast<const char*>(ansi.data()), ansi.size()));
  std::vector<std::uint8_t> bytes;
  bytes.reserve(wide.size() * 2);
  for (char16_t unit : wide) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

// "hex(2):41,00,..." with regedit's continuation lines for long data.
void AppendHex(std::string& out, std::string prefix, const std::vector<std::uint8_t>& bytes,
               std::size_t lineStart) {
  out += prefix;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", bytes[i]);
    out += digits;
    if (i + 1 == bytes.size()) break;
    out.push_back(',');
    if (out.size() - lineStart >= kWrapColumn) {
      out += "\\";
      out += kLineEnd;
      lineStart = out.size();
      out += "  ";
    }
  }
}

void AppendValue(std::string& out, const Value& value) {
  const std::size_t lineStart = out.size();
  out += value.name.empty() ? std::string("@") : Quoted(value.name);
  out.push_back('=');
  if (IsPlainString(value)) {
    out += Quoted(
        std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1));
  } else if (value.type == REG_DWORD && value.data.size() == 4) {
    char digits[16];
    const unsigned number = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                            (unsigned{value.data[3]} << 24);
    std::snprintf(digits, sizeof digits, "dword:%08x", number);
    out += digits;
  } else if (value.type == REG_BINARY) {
    AppendHex(out, "hex:", value.data, lineStart);
  } else if (value.type == REG_SZ || value.type == REG_EXPAND_SZ) {
    AppendHex(out, value.type == REG_SZ ? "hex(1):" : "hex(2):", Utf16LeBytes(value.data),
              lineStart);
  } else {
    char prefix[24];
    std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
    AppendHex(out, prefix, value.data, lineStart);
  }
  out += kLineEnd;
}

void AppendKey(std::string& out, const KeyNode& key, const std::string& path, bool isHiveRoot) {
  if (!isHiveRoot || !key.values.empty()) {
    out += "[" + AnsiToUtf8(path) + "]";
    out += kLineEnd;
    for (const Value& value : key.values) AppendValue(out, value);
    out += kLineEnd;
  }
  for (const auto& [lower, child] : key.subkeys) {
    AppendKey(out, *child, path + "\\" + child->name, false);
  }
}

}  // namespace

std::string FormatRegistryText() {
  std::string out = "Windows Registry Editor Version 5.00";
  out += kLineEnd;
  out += kLineEnd;
  registry_detail::Tree& tree = registry_detail::TheTree();
  std::lock_guard lock(tree.mutex);
  for (std::size_t hive = 0; hive < registry_detail::kHiveCount; ++hive) {
    AppendKey(out, *tree.hives[hive], std::string(registry_detail::HiveName(hive)), true);
  }
  return out;
}

LSTATUS SaveRegistryFile(const std::filesystem::path& file) {
  const std::string text = FormatRegistryText();
  // Written beside the target and renamed over it, so a failed save never
  // leaves a truncated file where a good one was.
  std::filesystem::path staging = file;
  staging += ".saving";
  {
    std::ofstream stream(staging, std::ios::binary | std::ios::trunc);
    if (!stream) return ERROR_ACCESS_DENIED;
    stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    stream.close();
    if (!stream) {
      std::error_code ignored;
      std::filesystem::remove(staging, ignored);
      return ERROR_ACCESS_DENIED;
    }
  }
  std::error_code error;
  std::filesystem::rename(staging, file, error);
  if (error) {
    std::filesystem::remove(staging, error);
    return ERROR_ACCESS_DENIED;
  }
  return ERROR_SUCCESS;
}

}  // namespace platform
