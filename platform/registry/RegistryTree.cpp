#include "platform/registry/RegistryTree.h"

#include "platform/text/CodePage.h"

namespace platform::registry_detail {
namespace {

constexpr std::array<std::string_view, kHiveCount> kHiveNames = {
    "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS"};

std::shared_ptr<KeyNode> MakeHiveRoot(std::size_t hive) {
  auto root = std::make_shared<KeyNode>();
  root->name = kHiveNames[hive];
  root->hive = hive;
  return root;
}

bool CoversPath(std::string_view rulePath, std::string_view lowerPath) {
  if (rulePath.empty()) return true;
  if (lowerPath.size() < rulePath.size() || lowerPath.substr(0, rulePath.size()) != rulePath) {
    return false;
  }
  return lowerPath.size() == rulePath.size() || lowerPath[rulePath.size()] == '\\';
}

}  // namespace

Value* KeyNode::FindValue(std::string_view valueName) {
  const std::string lower = LowerName(valueName);
  for (Value& value : values) {
    if (LowerName(value.name) == lower) return &value;
  }
  return nullptr;
}

bool Tree::IsDenied(std::size_t hive, std::string_view lowerPath, Denial kind) const {
  for (const DenialRule& rule : rules) {
    if (rule.hive == hive && rule.kind == kind && CoversPath(rule.lowerPath, lowerPath)) {
      return true;
    }
  }
  return false;
}

bool Tree::HasDenialBelow(std::size_t hive, std::string_view lowerPath, Denial kind) const {
  for (const DenialRule& rule : rules) {
    if (rule.hive == hive && rule.kind == kind && rule.lowerPath != lowerPath &&
        CoversPath(lowerPath, rule.lowerPath)) {
      return true;
    }
  }
  return false;
}

void Tree::Reset() {
  for (std::size_t hive = 0; hive < kHiveCount; ++hive) {
    if (hives[hive]) MarkDeleted(*hives[hive]);
    hives[hive] = MakeHiveRoot(hive);
  }
  rules.clear();
}

Tree& TheTree() {
  static Tree* const tree = [] {
    auto* created = new Tree;  // never destroyed: handles may outlive static destruction
    created->Reset();
    return created;
  }();
  return *tree;
}

std::optional<std::size_t> HiveIndex(HKEY root) {
  for (std::size_t hive = 0; hive < kHiveCount; ++hive) {
    if (HiveHandle(hive) == root) return hive;
  }
  return std::nullopt;
}

HKEY HiveHandle(std::size_t hive) {
  static const std::array<HKEY, kHiveCount> kHandles = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,
                                                        HKEY_LOCAL_MACHINE, HKEY_USERS};
  return kHandles[hive];
}

std::string_view HiveName(std::size_t hive) { return kHiveNames[hive]; }

std::optional<std::size_t> HiveFromName(std::string_view name) {
  const std::string lower = LowerName(name);
  for (std::size_t hive = 0; hive < kHiveCount; ++hive) {
    if (LowerName(kHiveNames[hive]) == lower) return hive;
  }
  return std::nullopt;
}

std::vector<std::string_view> SplitKeyPath(std::string_view path) {
  std::vector<std::string_view> components;
  while (!path.empty()) {
    const std::size_t separator = path.find('\\');
    const std::string_view component = path.substr(0, separator);
    if (!component.empty()) components.push_back(component);
    if (separator == std::string_view::npos) break;
    path.remove_prefix(separator + 1);
  }
  return components;
}

std::string LowerName(std::string_view name) { return AnsiToLower(name); }

std::string JoinLowerPath(std::string_view base, std::string_view lowerName) {
  std::string joined(base);
  if (!joined.empty()) joined.push_back('\\');
  joined.append(lowerName);
  return joined;
}

void MarkDeleted(KeyNode& node) {
  node.deleted = true;
  for (auto& [name, child] : node.subkeys) MarkDeleted(*child);
  node.subkeys.clear();
  node.values.clear();
}

}  // namespace platform::registry_detail
