#include "platform/registry/RegistryTestHooks.h"

#include "platform/registry/RegistryTree.h"

namespace platform {
namespace {

void AddRule(HKEY root, std::string_view subKey, registry_detail::Denial kind) {
  const auto hive = registry_detail::HiveIndex(root);
  if (!hive) return;
  std::string lowerPath;
  for (std::string_view component : registry_detail::SplitKeyPath(subKey)) {
    lowerPath = registry_detail::JoinLowerPath(lowerPath, registry_detail::LowerName(component));
  }
  registry_detail::Tree& tree = registry_detail::TheTree();
  std::lock_guard lock(tree.mutex);
  tree.rules.push_back({*hive, std::move(lowerPath), kind});
}

}  // namespace

void DenyRegistryOpen(HKEY root, std::string_view subKey) {
  AddRule(root, subKey, registry_detail::Denial::kOpen);
}

void DenyRegistryWrite(HKEY root, std::string_view subKey) {
  AddRule(root, subKey, registry_detail::Denial::kWrite);
}

void ClearRegistryDenials() {
  registry_detail::Tree& tree = registry_detail::TheTree();
  std::lock_guard lock(tree.mutex);
  tree.rules.clear();
}

void ResetRegistry() {
  registry_detail::Tree& tree = registry_detail::TheTree();
  std::lock_guard lock(tree.mutex);
  tree.Reset();
}

}  // namespace platform
