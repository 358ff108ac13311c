// The in-memory tree behind RegistryKey: hives, key nodes and values, the
// one mutex that guards all of them, and the test denial rules. Internal to
// platform/registry; everything here is used with Tree::mutex held.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/RegistryTypes.h"

namespace platform::registry_detail {

struct Value {
  std::string name;  // spelling of the first set
  DWORD type = REG_NONE;
  std::vector<std::uint8_t> data;
};

struct KeyNode {
  std::string name;       // spelling of the creation
  std::size_t hive = 0;   // index into Tree::hives
  std::string lowerPath;  // from the hive root, lower-cased, "" for the root
  bool deleted = false;
  std::map<std::string, std::shared_ptr<KeyNode>> subkeys;  // by lower-cased name
  std::vector<Value> values;                                // in order of first set

  Value* FindValue(std::string_view valueName);
};

enum class Denial { kOpen, kWrite };

struct DenialRule {
  std::size_t hive;
  std::string lowerPath;
  Denial kind;
};

constexpr std::size_t kHiveCount = 4;

struct Tree {
  std::mutex mutex;
  std::array<std::shared_ptr<KeyNode>, kHiveCount> hives;
  std::vector<DenialRule> rules;

  // Whether a rule of `kind` covers the key at `lowerPath` (the rule's key
  // itself or anything below it).
  bool IsDenied(std::size_t hive, std::string_view lowerPath, Denial kind) const;
  // Whether a rule of `kind` lies strictly below `lowerPath`.
  bool HasDenialBelow(std::size_t hive, std::string_view lowerPath, Denial kind) const;
  // Drops every key (marking them deleted for open handles) and every rule.
  void Reset();
};

// The process-wide tree, created empty on first use.
Tree& TheTree();

std::optional<std::size_t> HiveIndex(HKEY root);
HKEY HiveHandle(std::size_t hive);
// "HKEY_CURRENT_USER" and so on.
std::string_view HiveName(std::size_t hive);
std::optional<std::size_t> HiveFromName(std::string_view name);

// Path components; empty ones (leading, trailing or doubled backslashes)
// are skipped.
std::vector<std::string_view> SplitKeyPath(std::string_view path);
std::string LowerName(std::string_view name);
std::string JoinLowerPath(std::string_view base, std::string_view lowerName);

// Marks `node` and everything below it deleted and detaches the children.
void MarkDeleted(KeyNode& node);

}  // namespace platform::registry_detail
