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
// cmake/EmbedResources.cmake) into a table that registers itself, under the
// handle of the module it is linked into, while that module's static data
// is initialised, and leaves when the module unloads. Tests that need
// resources of their own install a table with ScopedModuleResources instead.
//
// The directory is the system's: lookups by handle (FindResourceIn) and by
// res: address reach any module's resources. The functions without a handle
// answer for the calling module; like ThisModule() they are defined by each
// module's own part (platform/module), not by the shared system.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/module/ModuleLocal.h"
#include "platform/ui/WinTypes.h"

namespace platform {

// One entry of an embedded table. For a named resource `id` is 0; for a
// numbered one `name` is empty. The bytes live as long as the program.
struct EmbeddedResource {
  std::string_view type;
  std::string_view name;
  int id;
  std::string_view bytes;
};

// --- The system's directory -------------------------------------------------

// A module's tables add up; `modulePath` is the path res: addresses name the
// module by until NameResourceModule says otherwise.
void AddResourceTable(HINSTANCE module, std::string_view modulePath,
                      std::span<const EmbeddedResource> table);
// The module's last table gone, the module is forgotten.
void RemoveResourceTable(HINSTANCE module, std::span<const EmbeddedResource> table);
// The path res: addresses reach `module` by (its GetModuleFileName).
void NameResourceModule(HINSTANCE module, std::string_view modulePath);
// The module with resources that goes by `modulePath` (compared as Windows
// paths), or null: how a file name reaches a loaded module's resources, as
// LoadTypeLib does with a DLL's path.
HINSTANCE ResourceModuleNamed(std::string_view modulePath);

// FindResource(module, ...) + LoadResource + LockResource: the resource's
// bytes, valid while the module stays loaded (or, under
// ScopedModuleResources, the scope's life).
std::optional<std::string_view> FindResourceIn(HINSTANCE module, std::string_view type,
                                               std::string_view name);
std::optional<std::string_view> FindResourceIn(HINSTANCE module, std::string_view type, int id);

// The res: protocol of the browser:
//   "res://" + module path + "/" + name          (type HTML)
//   "res://" + module path + "/" + type + "/" + name
// The module path names a module that has resources (compared as Windows
// paths; percent escapes decoded); a type may be a name or a number, "#23"
// or "23" meaning HTML and "2" BITMAP. Any other path: nullopt.
std::optional<std::string_view> LoadResUrl(std::string_view url);

// --- The calling module's own (platform/module) ---------------------------------

// What generated code holds for its table: registered under ThisModule()
// from construction to destruction.
class VIMARU_MODULE_LOCAL ModuleResourceRegistration {
 public:
  explicit ModuleResourceRegistration(std::span<const EmbeddedResource> table);
  ~ModuleResourceRegistration();
  ModuleResourceRegistration(const ModuleResourceRegistration&) = delete;
  ModuleResourceRegistration& operator=(const ModuleResourceRegistration&) = delete;

 private:
  std::span<const EmbeddedResource> table_;
};

// FindResource(ThisModule(), ...).
VIMARU_MODULE_LOCAL std::optional<std::string_view> FindModuleResource(std::string_view type,
                                                                       std::string_view name);
VIMARU_MODULE_LOCAL std::optional<std::string_view> FindModuleResource(std::string_view type,
                                                                       int id);

// Test double: while alive, these resources replace every module's tables
// (and any scope installed before it, which comes back afterwards), and the
// calling module answers res: addresses under its ModuleFilePath().
class VIMARU_MODULE_LOCAL ScopedModuleResources {
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

namespace resources_detail {

// The override ScopedModuleResources installs; returns the one it replaces.
const std::vector<EmbeddedResource>* ExchangeOverride(const std::vector<EmbeddedResource>* table);

}  // namespace resources_detail

}  // namespace platform
