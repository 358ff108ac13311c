// The system's resource directory: every module's embedded tables under
// its handle, or a test's own table while one is installed.
#include "platform/resources/ModuleResources.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <mutex>
#include <utility>

#include "platform/files/FileSystem.h"
#include "platform/files/WindowsPath.h"
#include "platform/text/CodePage.h"
#include "platform/text/PercentEncode.h"

namespace platform {
namespace {

struct ModuleEntry {
  std::string path;  // canonical Windows path res: addresses name it by
  std::vector<std::span<const EmbeddedResource>> tables;
};

struct Directory {
  std::mutex mutex;  // guards modules and override
  std::map<HINSTANCE, ModuleEntry> modules;
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

std::string CanonicalPath(std::string_view path) {
  const auto canonical = NormalizeWindowsPath(path);
  return canonical ? *canonical : std::string(path);
}

template <typename Matches>
std::optional<std::string_view> Search(HINSTANCE module, Matches matches) {
  auto& directory = TheDirectory();
  std::lock_guard lock(directory.mutex);
  if (directory.override != nullptr) {
    for (const auto& entry : *directory.override) {
      if (matches(entry)) return entry.bytes;
    }
    return std::nullopt;
  }
  const auto found = directory.modules.find(module);
  if (found == directory.modules.end()) return std::nullopt;
  for (const auto& table : found->second.tables) {
    for (const auto& entry : table) {
      if (matches(entry)) return entry.bytes;
    }
  }
  return std::nullopt;
}

}  // namespace

void AddResourceTable(HINSTANCE module, std::string_view modulePath,
                      std::span<const EmbeddedResource> table) {
  std::string path = CanonicalPath(modulePath);
  auto& directory = TheDirectory();
  std::lock_guard lock(directory.mutex);
  const auto [found, added] = directory.modules.try_emplace(module);
  if (added) found->second.path = std::move(path);
  found->second.tables.push_back(table);
}

void RemoveResourceTable(HINSTANCE module, std::span<const EmbeddedResource> table) {
  auto& directory = TheDirectory();
  std::lock_guard lock(directory.mutex);
  const auto found = directory.modules.find(module);
  if (found == directory.modules.end()) return;
  auto& tables = found->second.tables;
  std::erase_if(tables, [&](const auto& kept) { return kept.data() == table.data(); });
  if (tables.empty()) directory.modules.erase(found);
}

HINSTANCE ResourceModuleNamed(std::string_view modulePath) {
  auto& directory = TheDirectory();
  std::lock_guard lock(directory.mutex);
  for (const auto& [module, entry] : directory.modules) {
    if (SameWindowsPath(entry.path, modulePath)) return module;
  }
  return nullptr;
}

void NameResourceModule(HINSTANCE module, std::string_view modulePath) {
  std::string path = CanonicalPath(modulePath);
  auto& directory = TheDirectory();
  std::lock_guard lock(directory.mutex);
  directory.modules[module].path = std::move(path);
}

std::optional<std::string_view> FindResourceIn(HINSTANCE module, std::string_view type,
                                               std::string_view name) {
  if (const auto id = name.starts_with('#') ? ParseId(name) : std::nullopt)
    return FindResourceIn(module, type, *id);
  if (name.empty()) return std::nullopt;
  return Search(module, [&](const EmbeddedResource& entry) {
    return !entry.name.empty() && EqualNoCase(entry.type, type) && EqualNoCase(entry.name, name);
  });
}

std::optional<std::string_view> FindResourceIn(HINSTANCE module, std::string_view type, int id) {
  if (id <= 0) return std::nullopt;
  return Search(module, [&](const EmbeddedResource& entry) {
    return entry.name.empty() && entry.id == id && EqualNoCase(entry.type, type);
  });
}

std::optional<std::string_view> LoadResUrl(std::string_view url) {
  constexpr std::string_view kScheme = "res://";
  if (url.size() < kScheme.size() || !EqualNoCase(url.substr(0, kScheme.size()), kScheme)) {
    return std::nullopt;
  }
  const std::string rest = PercentDecode(url.substr(kScheme.size()));
  // The module path ends where a "/" is followed by the resource part; the
  // path itself may use either separator, so each "/" is a candidate.
  for (std::size_t slash = rest.find('/'); slash != std::string::npos;
       slash = rest.find('/', slash + 1)) {
    const HINSTANCE module = ResourceModuleNamed(rest.substr(0, slash));
    if (module == nullptr) continue;
    const std::string_view resource = std::string_view(rest).substr(slash + 1);
    const std::size_t split = resource.find('/');
    if (split == std::string_view::npos) return FindResourceIn(module, "HTML", resource);
    if (resource.find('/', split + 1) != std::string_view::npos) return std::nullopt;
    return FindResourceIn(module, TypeName(resource.substr(0, split)), resource.substr(split + 1));
  }
  return std::nullopt;
}

namespace resources_detail {

const std::vector<EmbeddedResource>* ExchangeOverride(const std::vector<EmbeddedResource>* table) {
  auto& directory = TheDirectory();
  std::lock_guard lock(directory.mutex);
  return std::exchange(directory.override, table);
}

}  // namespace resources_detail

}  // namespace platform
