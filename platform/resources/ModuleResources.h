// Resources of the module: the files the build embeds into it (layout
// document, pages, bitmaps, registration scripts), found the way
// FindResource/LoadResource find them on Windows.
//
// A resource has a type ("HTML", "BITMAP", "REGISTRY", ...; the standard
// numeric types are written by their names) and either a name
// ("TOOLBANDLAYOUT.XML") or a numeric id (215). Types and names compare
// case-insensitively; a name written "#215" means id 215, as on Windows.
//
// The build turns a manifest (resources/CMakeLists.txt, see
// cmake/EmbedResources.cmake) into a table that registers itself when the
// module is linked. Tests that need resources of their own install a table
// with ScopedModuleResources instead.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One entry of an embedded table. For a named resource `id` is 0; for a
// numbered one `name` is empty. The bytes live as long as the program.
struct EmbeddedResource {
  std::string_view type;
  std::string_view name;
  int id;
  std::string_view bytes;
};

// Called by generated code at static initialisation; tables add up.
void RegisterModuleResources(std::span<const EmbeddedResource> table);

// FindResource + LoadResource + LockResource: the resource's bytes, valid for
// the program's life (or, under ScopedModuleResources, the scope's life).
std::optional<std::string_view> FindModuleResource(std::string_view type, std::string_view name);
std::optional<std::string_view> FindModuleResource(std::string_view type, int id);

// The res: protocol of the browser for our own module:
//   "res://" + module path + "/" + name          (type HTML)
//   "res://" + module path + "/" + type + "/" + name
// The module path must be GetModuleFileName() (compared as Windows paths;
// percent escapes decoded); a type may be a name or a number, "#23" or "23"
// meaning HTML and "2" BITMAP. Any other module: nullopt.
std::optional<std::string_view> LoadResUrl(std::string_view url);

// Test double: while alive, these resources replace every registered table
// (and any scope installed before it, which comes back afterwards).
class ScopedModuleResources {
 public:
  struct Entry {
    std::string type;
    std::string name;  // empty for a numbered resource
    int id = 0;
    std::string bytes;
  };
  explicit ScopedModuleResources(std::vector<Entry> entries);
  ~ScopedModuleResources();
  ScopedModuleResources(const ScopedModuleResources&) = delete;
  ScopedModuleResources& operator=(const ScopedModuleResources&) = delete;

 private:
  std::vector<Entry> entries_;
  std::vector<EmbeddedResource> table_;
  const std::vector<EmbeddedResource>* previous_ = nullptr;
};

}  // namespace platform
