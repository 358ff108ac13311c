#ifdef _WIN32
#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/registry/RegistryKey.h"

namespace platform {

namespace registry_detail {

// The open HKEY behind a RegistryKey, closed when the last owner lets go. A
// predefined root opened with an empty path comes back as that root itself,
// which is not this handle's to close.
struct KeyNode {
  KeyNode(HKEY opened, HKEY root) : key(opened), owned(opened != root) {}
  ~KeyNode() {
    if (owned) ::RegCloseKey(key);
  }
  KeyNode(const KeyNode&) = delete;
  KeyNode& operator=(const KeyNode&) = delete;

  const HKEY key;
  const bool owned;
};

}  // namespace registry_detail

using registry_detail::KeyNode;

namespace {

// A read retries when the value grew between learning its size and reading
// it; only a writer that keeps growing it faster than we read runs out.
constexpr int kReadAttempts = 4;
constexpr DWORD kFirstReadCapacity = 256;
// Key names hold up to 255 characters and value names up to 16383; in a
// double-byte code page each may take two bytes.
constexpr DWORD kFirstNameCapacity = 256;
constexpr DWORD kLargestNameCapacity = 32768;

struct StoredValue {
  DWORD type = REG_NONE;
  std::vector<std::uint8_t> data;
};

// The path without empty components: the platform's keys treat
// "A\\\\B\\" as "A\\B", and the registry refuses a leading backslash.
std::string KeyPath(std::string_view path) {
  std::string joined;
  while (!path.empty()) {
    const std::size_t separator = path.find('\\');
    const std::string_view component = path.substr(0, separator);
    if (!component.empty()) {
      if (!joined.empty()) joined.push_back('\\');
      joined.append(component);
    }
    if (separator == std::string_view::npos) break;
    path.remove_prefix(separator + 1);
  }
  return joined;
}

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

LSTATUS OpenKey(HKEY parent, std::string_view subKey, REGSAM access,
                std::shared_ptr<KeyNode>& node) {
  HKEY opened = nullptr;
  const LSTATUS status = ::RegOpenKeyExA(parent, KeyPath(subKey).c_str(), 0, access, &opened);
  if (status == ERROR_SUCCESS) node = std::make_shared<KeyNode>(opened, parent);
  return status;
}

LSTATUS CreateKey(HKEY parent, std::string_view subKey, REGSAM access,
                  std::shared_ptr<KeyNode>& node, bool* created) {
  HKEY opened = nullptr;
  DWORD disposition = 0;
  const LSTATUS status =
      ::RegCreateKeyExA(parent, KeyPath(subKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        access, nullptr, &opened, &disposition);
  if (status != ERROR_SUCCESS) return status;
  node = std::make_shared<KeyNode>(opened, parent);
  if (created != nullptr) *created = disposition == REG_CREATED_NEW_KEY;
  return ERROR_SUCCESS;
}

// The value's bytes exactly as RegQueryValueExA reports them, so that every
// getter bounds its reading by the reported size and none relies on the
// terminator the A function adds past the data when the buffer has room.
LSTATUS ReadValue(const std::shared_ptr<KeyNode>& node, std::string_view name, StoredValue& value) {
  if (!node) return ERROR_INVALID_HANDLE;
  const std::string valueName(name);
  std::vector<std::uint8_t> buffer(kFirstReadCapacity);
  for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
    auto size = static_cast<DWORD>(buffer.size());
    const LSTATUS status = ::RegQueryValueExA(node->key, valueName.c_str(), nullptr, &value.type,
                                              buffer.data(), &size);
    if (status == ERROR_MORE_DATA) {
      buffer.resize(size);
      continue;
    }
    if (status != ERROR_SUCCESS) return status;
    buffer.resize(size);
    value.data = std::move(buffer);
    return ERROR_SUCCESS;
  }
  return ERROR_MORE_DATA;
}

// Runs one RegEnum*ExA call with a name buffer large enough for the name.
template <typename Enumerate>
LSTATUS EnumName(Enumerate enumerate, std::string& name) {
  for (DWORD capacity = kFirstNameCapacity;; capacity *= 2) {
    std::string buffer(capacity, '\0');
    DWORD length = capacity;
    const LSTATUS status = enumerate(buffer.data(), &length);
    if (status == ERROR_MORE_DATA && capacity < kLargestNameCapacity) continue;
    if (status == ERROR_SUCCESS) {
      buffer.resize(length);
      name = std::move(buffer);
    }
    return status;
  }
}

}  // namespace

RegistryKey::RegistryKey() noexcept = default;
RegistryKey::~RegistryKey() = default;
RegistryKey::RegistryKey(RegistryKey&&) noexcept = default;
RegistryKey& RegistryKey::operator=(RegistryKey&&) noexcept = default;

LSTATUS RegistryKey::Open(HKEY root, std::string_view subKey, REGSAM access) {
  Close();
  const LSTATUS status = OpenKey(root, subKey, access, node_);
  if (status == ERROR_SUCCESS) access_ = access;
  return status;
}

LSTATUS RegistryKey::Open(const RegistryKey& parent, std::string_view subKey, REGSAM access) {
  const std::shared_ptr<KeyNode> start = parent.node_;  // parent may be *this
  Close();
  if (!start) return ERROR_INVALID_HANDLE;
  const LSTATUS status = OpenKey(start->key, subKey, access, node_);
  if (status == ERROR_SUCCESS) access_ = access;
  return status;
}

LSTATUS RegistryKey::Create(HKEY root, std::string_view subKey, REGSAM access, bool* created) {
  Close();
  const LSTATUS status = CreateKey(root, subKey, access, node_, created);
  if (status == ERROR_SUCCESS) access_ = access;
  return status;
}

LSTATUS RegistryKey::Create(const RegistryKey& parent, std::string_view subKey, REGSAM access,
                            bool* created) {
  const std::shared_ptr<KeyNode> start = parent.node_;
  const REGSAM parentAccess = parent.access_;
  Close();
  if (!start) return ERROR_INVALID_HANDLE;
  // The registry checks a new key against the parent's access list alone;
  // a handle here also keeps to the rights it was opened with, so creating
  // below it needs its KEY_CREATE_SUB_KEY, while opening an existing key
  // through Create does not.
  LSTATUS status = OpenKey(start->key, subKey, access, node_);
  if (status == ERROR_SUCCESS) {
    if (created != nullptr) *created = false;
  } else if (status == ERROR_FILE_NOT_FOUND) {
    if ((parentAccess & KEY_CREATE_SUB_KEY) == 0) return ERROR_ACCESS_DENIED;
    status = CreateKey(start->key, subKey, access, node_, created);
  }
  if (status == ERROR_SUCCESS) access_ = access;
  return status;
}

void RegistryKey::Close() noexcept {
  node_.reset();
  access_ = 0;
}

bool RegistryKey::IsOpen() const noexcept { return node_ != nullptr; }

LSTATUS RegistryKey::QueryValue(std::string_view name, DWORD* type, void* data, DWORD* size) const {
  if (data != nullptr && size == nullptr) return ERROR_INVALID_PARAMETER;
  StoredValue stored;
  if (const LSTATUS status = ReadValue(node_, name, stored); status != ERROR_SUCCESS) {
    return status;
  }
  if (type != nullptr) *type = stored.type;
  const auto needed = static_cast<DWORD>(stored.data.size());
  if (size == nullptr) return ERROR_SUCCESS;
  const DWORD capacity = *size;
  *size = needed;
  if (data == nullptr) return ERROR_SUCCESS;
  if (capacity < needed) return ERROR_MORE_DATA;
  if (needed != 0) std::memcpy(data, stored.data.data(), needed);
  return ERROR_SUCCESS;
}

LSTATUS RegistryKey::QueryStringValue(std::string_view name, std::string& value) const {
  StoredValue stored;
  if (const LSTATUS status = ReadValue(node_, name, stored); status != ERROR_SUCCESS) {
    return status;
  }
  if (!IsStringType(stored.type)) return ERROR_UNSUPPORTED_TYPE;
  const auto end = std::find(stored.data.begin(), stored.data.end(), std::uint8_t{0});
  value.assign(stored.data.begin(), end);
  return ERROR_SUCCESS;
}

LSTATUS RegistryKey::QueryDWORDValue(std::string_view name, DWORD& value) const {
  StoredValue stored;
  if (const LSTATUS status = ReadValue(node_, name, stored); status != ERROR_SUCCESS) {
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
  StoredValue stored;
  if (const LSTATUS status = ReadValue(node_, name, stored); status != ERROR_SUCCESS) {
    return status;
  }
  value = std::move(stored.data);
  return ERROR_SUCCESS;
}

LSTATUS RegistryKey::SetValue(std::string_view name, DWORD type, const void* data, DWORD size) {
  if (data == nullptr && size != 0) return ERROR_INVALID_PARAMETER;
  if (!node_) return ERROR_INVALID_HANDLE;
  // RegSetValueExA counts one byte more for a string whose last counted byte
  // is not a NUL but whose next one is (it supplies the terminator the writer
  // seemed to forget), and reads that byte past the writer's data to decide.
  // Staged behind a byte that is not a NUL, the value stores exactly the
  // bytes counted and the check never reads past them.
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  std::vector<std::uint8_t> staged(bytes, bytes + size);
  staged.push_back(0xFF);
  return ::RegSetValueExA(node_->key, std::string(name).c_str(), 0, type, staged.data(), size);
}

LSTATUS RegistryKey::DeleteValue(std::string_view name) {
  if (!node_) return ERROR_INVALID_HANDLE;
  return ::RegDeleteValueA(node_->key, std::string(name).c_str());
}

LSTATUS RegistryKey::DeleteSubKeyTree(std::string_view subKey) {
  const std::string path = KeyPath(subKey);
  if (path.empty()) return ERROR_INVALID_PARAMETER;
  if (!node_) return ERROR_INVALID_HANDLE;
  // RegDeleteTree opens the subkey afresh and asks its access list alone;
  // deleting through this handle keeps to the rights it was opened with.
  if ((access_ & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  return ::RegDeleteTreeA(node_->key, path.c_str());
}

LSTATUS RegistryKey::EnumKey(DWORD index, std::string& name) const {
  if (!node_) return ERROR_INVALID_HANDLE;
  return EnumName(
      [&](char* buffer, DWORD* length) {
        return ::RegEnumKeyExA(node_->key, index, buffer, length, nullptr, nullptr, nullptr,
                               nullptr);
      },
      name);
}

LSTATUS RegistryKey::EnumValue(DWORD index, std::string& name, DWORD* type) const {
  if (!node_) return ERROR_INVALID_HANDLE;
  return EnumName(
      [&](char* buffer, DWORD* length) {
        return ::RegEnumValueA(node_->key, index, buffer, length, nullptr, type, nullptr, nullptr);
      },
      name);
}

LSTATUS DeleteRegistryTree(HKEY root, std::string_view subKey) {
  const std::string path = KeyPath(subKey);
  if (path.empty()) return ERROR_INVALID_PARAMETER;
  return ::RegDeleteTreeA(root, path.c_str());
}

}  // namespace platform
#endif
