#include "platform/registry/RegistryKey.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/registry/RegistryTree.h"

namespace platform {

using registry_detail::Denial;
using registry_detail::KeyNode;
using registry_detail::TheTree;
using registry_detail::Tree;
using registry_detail::Value;

namespace {

constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY;

// Resolves `subKey` below `start`, creating missing keys when asked. The
// caller holds the tree's mutex.
LSTATUS Resolve(Tree& tree, const std::shared_ptr<KeyNode>& start, std::string_view subKey,
                REGSAM access, bool create, std::shared_ptr<KeyNode>& result, bool* created) {
  if (start->deleted) return ERROR_KEY_DELETED;
  const auto components = registry_detail::SplitKeyPath(subKey);

  std::string targetPath = start->lowerPath;
  for (std::string_view component : components) {
    targetPath = registry_detail::JoinLowerPath(targetPath, registry_detail::LowerName(component));
  }
  if (tree.IsDenied(start->hive, targetPath, Denial::kOpen)) return ERROR_ACCESS_DENIED;

  std::shared_ptr<KeyNode> node = start;
  bool madeNew = false;
  for (std::string_view component : components) {
    const std::string lower = registry_detail::LowerName(component);
    auto found = node->subkeys.find(lower);
    if (found != node->subkeys.end()) {
      node = found->second;
      continue;
    }
    if (!create) return ERROR_FILE_NOT_FOUND;
    // Every key created here lies on the way to the target, so the target's
    // rule decides for all of them and nothing is half-created.
    if (tree.IsDenied(start->hive, targetPath, Denial::kWrite)) return ERROR_ACCESS_DENIED;
    auto child = std::make_shared<KeyNode>();
    child->name = std::string(component);
    child->hive = node->hive;
    child->lowerPath = registry_detail::JoinLowerPath(node->lowerPath, lower);
    node->subkeys.emplace(lower, child);
    node = std::move(child);
    madeNew = true;
  }
  if ((access & kWriteRights) != 0 && tree.IsDenied(node->hive, node->lowerPath, Denial::kWrite)) {
    return ERROR_ACCESS_DENIED;
  }
  if (created != nullptr) *created = madeNew;
  result = std::move(node);
  return ERROR_SUCCESS;
}

// Checks shared by every operation on an open handle: open, not deleted
// meanwhile, and opened with the `needed` rights.
LSTATUS Usable(const std::shared_ptr<KeyNode>& node, REGSAM access, REGSAM needed) {
  if (!node) return ERROR_INVALID_HANDLE;
  if (node->deleted) return ERROR_KEY_DELETED;
  if ((access & needed) != needed) return ERROR_ACCESS_DENIED;
  return ERROR_SUCCESS;
}

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// Returns the value's bytes as the registry stores them, so the getters
// below share one lookup path with QueryValue.
LSTATUS CopyValue(const std::shared_ptr<KeyNode>& node, REGSAM access, std::string_view name,
                  Value& copy) {
  std::lock_guard lock(TheTree().mutex);
  if (const LSTATUS status = Usable(node, access, KEY_QUERY_VALUE); status != ERROR_SUCCESS) {
    return status;
  }
  const Value* value = node->FindValue(name);
  if (value == nullptr) return ERROR_FILE_NOT_FOUND;
  copy = *value;
  return ERROR_SUCCESS;
}

}  // namespace

RegistryKey::RegistryKey() noexcept = default;
RegistryKey::~RegistryKey() = default;
RegistryKey::RegistryKey(RegistryKey&&) noexcept = default;
RegistryKey& RegistryKey::operator=(RegistryKey&&) noexcept = default;

LSTATUS RegistryKey::Open(HKEY root, std::string_view subKey, REGSAM access) {
  Close();
  const auto hive = registry_detail::HiveIndex(root);
  if (!hive) return ERROR_INVALID_HANDLE;
  Tree& tree = TheTree();
  std::lock_guard lock(tree.mutex);
  const LSTATUS status = Resolve(tree, tree.hives[*hive], subKey, access, false, node_, nullptr);
  if (status == ERROR_SUCCESS) access_ = access;
  return status;
}

LSTATUS RegistryKey::Open(const RegistryKey& parent, std::string_view subKey, REGSAM access) {
  const std::shared_ptr<KeyNode> start = parent.node_;  // parent may be *this
  Close();
  if (!start) return ERROR_INVALID_HANDLE;
  Tree& tree = TheTree();
  std::lock_guard lock(tree.mutex);
  const LSTATUS status = Resolve(tree, start, subKey, access, false, node_, nullptr);
  if (status == ERROR_SUCCESS) access_ = access;
  return status;
}

LSTATUS RegistryKey::Create(HKEY root, std::string_view subKey, REGSAM access, bool* created) {
  Close();
  const auto hive = registry_detail::HiveIndex(root);
  if (!hive) return ERROR_INVALID_HANDLE;
  Tree& tree = TheTree();
  std::lock_guard lock(tree.mutex);
  const LSTATUS status = Resolve(tree, tree.hives[*hive], subKey, access, true, node_, created);
  if (status == ERROR_SUCCESS) access_ = access;
  return status;
}

LSTATUS RegistryKey::Create(const RegistryKey& parent, std::string_view subKey, REGSAM access,
                            bool* created) {
  const std::shared_ptr<KeyNode> start = parent.node_;
  const REGSAM parentAccess = parent.access_;
  Close();
  if (!start) return ERROR_INVALID_HANDLE;
  Tree& tree = TheTree();
  std::lock_guard lock(tree.mutex);
  bool madeNew = false;
  std::shared_ptr<KeyNode> probe;
  // Creating below a handle needs that handle's KEY_CREATE_SUB_KEY right;
  // opening an existing key through Create does not.
  LSTATUS status = Resolve(tree, start, subKey, access, false, probe, nullptr);
  if (status == ERROR_FILE_NOT_FOUND) {
    if ((parentAccess & KEY_CREATE_SUB_KEY) == 0) return ERROR_ACCESS_DENIED;
    status = Resolve(tree, start, subKey, access, true, probe, &madeNew);
  }
  if (status != ERROR_SUCCESS) return status;
  node_ = std::move(probe);
  access_ = access;
  if (created != nullptr) *created = madeNew;
  return ERROR_SUCCESS;
}

void RegistryKey::Close() noexcept {
  node_.reset();
  access_ = 0;
}

bool RegistryKey::IsOpen() const noexcept { return node_ != nullptr; }

LSTATUS RegistryKey::QueryValue(std::string_view name, DWORD* type, void* data, DWORD* size) const {
  if (data != nullptr && size == nullptr) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(TheTree().mutex);
  if (const LSTATUS status = Usable(node_, access_, KEY_QUERY_VALUE); status != ERROR_SUCCESS) {
    return status;
  }
  const Value* value = node_->FindValue(name);
  if (value == nullptr) return ERROR_FILE_NOT_FOUND;
  if (type != nullptr) *type = value->type;
  const auto needed = static_cast<DWORD>(value->data.size());
  if (size == nullptr) return ERROR_SUCCESS;
  if (data == nullptr) {
    *size = needed;
    return ERROR_SUCCESS;
  }
  const DWORD capacity = *size;
  *size = needed;
  if (capacity < needed) return ERROR_MORE_DATA;
  if (needed != 0) std::memcpy(data, value->data.data(), needed);
  return ERROR_SUCCESS;
}

LSTATUS RegistryKey::QueryStringValue(std::string_view name, std::string& value) const {
  Value stored;
  if (const LSTATUS status = CopyValue(node_, access_, name, stored); status != ERROR_SUCCESS) {
    return status;
  }
  if (!IsStringType(stored.type)) return ERROR_UNSUPPORTED_TYPE;
  const auto end = std::find(stored.data.begin(), stored.data.end(), std::uint8_t{0});
  value.assign(stored.data.begin(), end);
  return ERROR_SUCCESS;
}

LSTATUS RegistryKey::QueryDWORDValue(std::string_view name, DWORD& value) const {
  Value stored;
  if (const LSTATUS status = CopyValue(node_, access_, name, stored); status != ERROR_SUCCESS) {
    return status;
  }
  if (stored.type != REG_DWORD) return ERROR_UNSUPPORTED_TYPE;
  if (stored.data.size() != sizeof(DWORD)) return ERROR_INVALID_DATA;
  value = DWORD{stored.data[0]} | (DWORD{stored.data[1]} << 8) | (DWORD{stored.data[2]} << 16) |
          (DWORD{stored.data[3]} << 24);
  return ERROR_SUCCESS;
}

LSTATUS RegistryKey::QueryBinaryValue(std::string_view name,
                                      std::vector<std::uint8_t>& value) const {
  Value stored;
  if (const LSTATUS status = CopyValue(node_, access_, name, stored); status != ERROR_SUCCESS) {
    return status;
  }
  value = std::move(stored.data);
  return ERROR_SUCCESS;
}

LSTATUS RegistryKey::SetValue(std::string_view name, DWORD type, const void* data, DWORD size) {
  if (data == nullptr && size != 0) return ERROR_INVALID_PARAMETER;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  // Stored exactly as given, as Windows stores it: a string written without
  // its terminator stays without one, so readers must bound what they read.
  std::vector<std::uint8_t> stored(bytes, bytes + size);

  Tree& tree = TheTree();
  std::lock_guard lock(tree.mutex);
  if (const LSTATUS status = Usable(node_, access_, KEY_SET_VALUE); status != ERROR_SUCCESS) {
    return status;
  }
  if (tree.IsDenied(node_->hive, node_->lowerPath, Denial::kWrite)) return ERROR_ACCESS_DENIED;
  if (Value* existing = node_->FindValue(name)) {
    existing->type = type;
    existing->data = std::move(stored);
  } else {
    node_->values.push_back(Value{std::string(name), type, std::move(stored)});
  }
  return ERROR_SUCCESS;
}

LSTATUS RegistryKey::DeleteValue(std::string_view name) {
  Tree& tree = TheTree();
  std::lock_guard lock(tree.mutex);
  if (const LSTATUS status = Usable(node_, access_, KEY_SET_VALUE); status != ERROR_SUCCESS) {
    return status;
  }
  if (tree.IsDenied(node_->hive, node_->lowerPath, Denial::kWrite)) return ERROR_ACCESS_DENIED;
  Value* value = node_->FindValue(name);
  if (value == nullptr) return ERROR_FILE_NOT_FOUND;
  node_->values.erase(node_->values.begin() + (value - node_->values.data()));
  return ERROR_SUCCESS;
}

LSTATUS RegistryKey::DeleteSubKeyTree(std::string_view subKey) {
  if (registry_detail::SplitKeyPath(subKey).empty()) return ERROR_INVALID_PARAMETER;
  Tree& tree = TheTree();
  std::lock_guard lock(tree.mutex);
  if (const LSTATUS status = Usable(node_, access_, KEY_SET_VALUE); status != ERROR_SUCCESS) {
    return status;
  }
  std::shared_ptr<KeyNode> target;
  if (const LSTATUS status = Resolve(tree, node_, subKey, KEY_ALL_ACCESS, false, target, nullptr);
      status != ERROR_SUCCESS) {
    return status;
  }
  // All or nothing: a protected key anywhere in the tree keeps the whole
  // tree, rather than leaving it half deleted as a partial walk would.
  if (tree.HasDenialBelow(target->hive, target->lowerPath, Denial::kWrite) ||
      tree.HasDenialBelow(target->hive, target->lowerPath, Denial::kOpen)) {
    return ERROR_ACCESS_DENIED;
  }
  const std::size_t separator = target->lowerPath.rfind('\\');
  const std::string parentPath =
      separator == std::string::npos ? std::string() : target->lowerPath.substr(0, separator);
  const std::string leaf =
      separator == std::string::npos ? target->lowerPath : target->lowerPath.substr(separator + 1);
  // Walk down again from the hive to find the parent that holds the target.
  std::shared_ptr<KeyNode> parent = tree.hives[target->hive];
  for (std::string_view component : registry_detail::SplitKeyPath(parentPath)) {
    parent = parent->subkeys.at(std::string(component));
  }
  parent->subkeys.erase(leaf);
  registry_detail::MarkDeleted(*target);
  return ERROR_SUCCESS;
}

LSTATUS RegistryKey::EnumKey(DWORD index, std::string& name) const {
  std::lock_guard lock(TheTree().mutex);
  if (const LSTATUS status = Usable(node_, access_, KEY_ENUMERATE_SUB_KEYS);
      status != ERROR_SUCCESS) {
    return status;
  }
  if (index >= node_->subkeys.size()) return ERROR_NO_MORE_ITEMS;
  name = std::next(node_->subkeys.begin(), index)->second->name;
  return ERROR_SUCCESS;
}

LSTATUS RegistryKey::EnumValue(DWORD index, std::string& name, DWORD* type) const {
  std::lock_guard lock(TheTree().mutex);
  if (const LSTATUS status = Usable(node_, access_, KEY_QUERY_VALUE); status != ERROR_SUCCESS) {
    return status;
  }
  if (index >= node_->values.size()) return ERROR_NO_MORE_ITEMS;
  name = node_->values[index].name;
  if (type != nullptr) *type = node_->values[index].type;
  return ERROR_SUCCESS;
}

LSTATUS DeleteRegistryTree(HKEY root, std::string_view subKey) {
  RegistryKey hive;
  if (const LSTATUS status = hive.Open(root, "", KEY_ALL_ACCESS); status != ERROR_SUCCESS) {
    return status;
  }
  return hive.DeleteSubKeyTree(subKey);
}

}  // namespace platform
