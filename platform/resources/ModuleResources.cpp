// The module's resource directory: the tables the build embedded, or a
// test's own table while one is installed.
#include "platform/resources/ModuleResources.h"

#include <charconv>
#include <mutex>

#include "platform/files/FileSystem.h"
#include "platform/files/WindowsPath.h"
#include "platform/text/CodePage.h"

namespace platform {
namespace {

struct Directory {
  std::mutex mutex;
  std::vector<std::span<const EmbeddedResource>> tables;
  const std::vector<EmbeddedResource>* override = nullptr;
};

Directory& TheDirectory() {
  static Directory directory;
  return directory;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AnsiToLower(a[i]) != AnsiToLower(b[i])) return false;
  }
  return true;
}

// "#215" and "215" are the text forms of a numeric id.
std::optional<int> ParseId(std::string_view text) {
  if (!text.empty() && text.front() == '#') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  int id = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
  if (error != std::errc{} || end != text.data() + text.size() || id <= 0 || id > 0xFFFF) {
    return std::nullopt;
  }
  return id;
}

// The standard resource types the res: protocol may name by number.
std::string_view TypeName(std::string_view text) {
  const auto number = ParseId(text);
  if (!number) return text;
  switch (*number) {
    case 2:
      return "BITMAP";
    case 23:
      return "HTML";
    default:
      return text;
  }
}

template <typename Matches>
std::optional<std::string_view> Search(Matches matches) {
  auto& directory = TheDirectory();
  std::lock_guard lock(directory.mutex);
  if (directory.override != nullptr) {
    for (const auto& entry : *directory.override) {
      if (matches(entry)) return entry.bytes;
    }
    return std::nullopt;
  }
  for (const auto& table : directory.tables) {
    for (const auto& entry : table) {
      if (matches(entry)) return entry.bytes;
    }
  }
  return std::nullopt;
}

std::string PercentDecode(std::string_view text) {
  auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string decoded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 && hex(text[i + 2]) >= 0) {
      decoded.push_back(static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2])));
      i += 2;
    } else {
      decoded.push_back(text[i]);
    }
  }
  return decoded;
}

}  // namespace

void RegisterModuleResources(std::span<const EmbeddedResource> table) {
  auto& directory = TheDirectory();
  std::lock_guard lock(directory.mutex);
  directory.tables.push_back(table);
}

std::optional<std::string_view> FindModuleResource(std::string_view type, std::string_view name) {
  if (const auto id = name.starts_with('#') ? ParseId(name) : std::nullopt)
    return FindModuleResource(type, *id);
  if (name.empty()) return std::nullopt;
  return Search([&](const EmbeddedResource& entry) {
    return !entry.name.empty() && EqualNoCase(entry.type, type) && EqualNoCase(entry.name, name);
  });
}

std::optional<std::string_view> FindModuleResource(std::string_view type, int id) {
  if (id <= 0) return std::nullopt;
  return Search([&](const EmbeddedResource& entry) {
    return entry.name.empty() && entry.id == id && EqualNoCase(entry.type, type);
  });
}

std::optional<std::string_view> LoadResUrl(std::string_view url) {
  constexpr std::string_view kScheme = "res://";
  if (url.size() < kScheme.size() || !EqualNoCase(url.substr(0, kScheme.size()), kScheme)) {
    return std::nullopt;
  }
  const std::string rest = PercentDecode(url.substr(kScheme.size()));
  const std::string module = ModuleFilePath();
  // The module path ends where a "/" is followed by the resource part; the
  // path itself may use either separator, so each "/" is a candidate.
  for (std::size_t slash = rest.find('/'); slash != std::string::npos;
       slash = rest.find('/', slash + 1)) {
    if (!SameWindowsPath(rest.substr(0, slash), module)) continue;
    const std::string_view resource = std::string_view(rest).substr(slash + 1);
    const std::size_t split = resource.find('/');
    if (split == std::string_view::npos) return FindModuleResource("HTML", resource);
    if (resource.find('/', split + 1) != std::string_view::npos) return std::nullopt;
    return FindModuleResource(TypeName(resource.substr(0, split)), resource.substr(split + 1));
  }
  return std::nullopt;
}

ScopedModuleResources::ScopedModuleResources(std::vector<Entry> entries)
    : entries_(std::move(entries)) {
  table_.reserve(entries_.size());
  for (const auto& entry : entries_) {
    table_.push_back(
        EmbeddedResource{entry.type, entry.name, entry.name.empty() ? entry.id : 0, entry.bytes});
  }
  auto& directory = TheDirectory();
  std::lock_guard lock(directory.mutex);
  previous_ = directory.override;
  directory.override = &table_;
}

ScopedModuleResources::~ScopedModuleResources() {
  auto& directory = TheDirectory();
  std::lock_guard lock(directory.mutex);
  directory.override = previous_;
}

}  // namespace platform
