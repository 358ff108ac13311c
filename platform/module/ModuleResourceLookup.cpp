// The calling module's side of the resource directory: its tables go in
// under its own handle, and lookups without a handle mean this module.
#include "platform/files/FileSystem.h"
#include "platform/module/ThisModule.h"
#include "platform/resources/Bitmap.h"
#include "platform/resources/ModuleResources.h"

namespace platform {

ModuleResourceRegistration::ModuleResourceRegistration(std::span<const EmbeddedResource> table)
    : table_(table) {
  AddResourceTable(ThisModule(), ModuleFilePath(), table_);
}

ModuleResourceRegistration::~ModuleResourceRegistration() {
  RemoveResourceTable(ThisModule(), table_);
}

std::optional<std::string_view> FindModuleResource(std::string_view type, std::string_view name) {
  return FindResourceIn(ThisModule(), type, name);
}

std::optional<std::string_view> FindModuleResource(std::string_view type, int id) {
  return FindResourceIn(ThisModule(), type, id);
}

std::optional<Bitmap> LoadBitmapResource(int id) {
  const auto bytes = FindModuleResource("BITMAP", id);
  if (!bytes) return std::nullopt;
  return DecodeBitmap(*bytes);
}

ScopedModuleResources::ScopedModuleResources(std::vector<Entry> entries)
    : entries_(std::move(entries)) {
  table_.reserve(entries_.size());
  for (const auto& entry : entries_) {
    table_.push_back(
        EmbeddedResource{entry.type, entry.name, entry.name.empty() ? entry.id : 0, entry.bytes});
  }
  NameResourceModule(ThisModule(), ModuleFilePath());
  previous_ = resources_detail::ExchangeOverride(&table_);
}

ScopedModuleResources::~ScopedModuleResources() { resources_detail::ExchangeOverride(previous_); }

}  // namespace platform
