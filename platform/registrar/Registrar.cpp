#include "platform/registrar/Registrar.h"

#include "platform/registrar/RegistrarScript.h"
#include "platform/registry/RegistryKey.h"

namespace platform {
namespace {

constexpr REGSAM kKeyAccess = KEY_READ | KEY_WRITE;

bool IsMissing(LSTATUS status) { return status == ERROR_FILE_NOT_FOUND; }

HRESULT FromStatus(LSTATUS status) { return HRESULT_FROM_WIN32(status); }

LSTATUS DeleteTreeIfPresent(RegistryKey& parent, std::string_view name) {
  const LSTATUS status = parent.DeleteSubKeyTree(name);
  return IsMissing(status) ? ERROR_SUCCESS : status;
}

bool HasSubkeys(const RegistryKey& key) {
  std::string name;
  return key.EnumKey(0, name) == ERROR_SUCCESS;
}

LSTATUS RegisterKey(RegistryKey& parent, const RegistrarKey& entry) {
  if (entry.removal == RegistrarRemoval::kForceRemove) {
    if (const LSTATUS status = DeleteTreeIfPresent(parent, entry.name); status != ERROR_SUCCESS) {
      return status;
    }
  }
  RegistryKey key;
  if (const LSTATUS status = key.Create(parent, entry.name, kKeyAccess); status != ERROR_SUCCESS) {
    return status;
  }
  for (const RegistrarValue& value : entry.values) {
    const LSTATUS status = key.SetValue(value.name, value.type, value.data.data(),
                                        static_cast<DWORD>(value.data.size()));
    if (status != ERROR_SUCCESS) return status;
  }
  for (const RegistrarKey& subkey : entry.subkeys) {
    if (const LSTATUS status = RegisterKey(key, subkey); status != ERROR_SUCCESS) return status;
  }
  return ERROR_SUCCESS;
}

LSTATUS UnregisterKey(RegistryKey& parent, const RegistrarKey& entry) {
  if (entry.removal == RegistrarRemoval::kForceRemove) {
    return DeleteTreeIfPresent(parent, entry.name);
  }
  RegistryKey key;
  if (const LSTATUS status = key.Open(parent, entry.name, kKeyAccess); status != ERROR_SUCCESS) {
    return IsMissing(status) ? ERROR_SUCCESS : status;
  }
  for (const RegistrarKey& subkey : entry.subkeys) {
    if (const LSTATUS status = UnregisterKey(key, subkey); status != ERROR_SUCCESS) return status;
  }
  for (const RegistrarValue& value : entry.values) {
    const LSTATUS status = key.DeleteValue(value.name);
    if (status != ERROR_SUCCESS && !IsMissing(status)) return status;
  }
  if (entry.removal == RegistrarRemoval::kNoRemove || HasSubkeys(key)) return ERROR_SUCCESS;
  key.Close();
  return DeleteTreeIfPresent(parent, entry.name);
}

}  // namespace

HRESULT RunRegistrarScript(std::string_view script,
                           std::span<const RegistrarReplacement> replacements, RegistrarMode mode) {
  const std::optional<std::string> expanded = ExpandRegistrarVariables(script, replacements);
  if (!expanded) return DISP_E_EXCEPTION;
  const RegistrarParseResult parsed = ParseRegistrarScript(*expanded);
  if (!parsed.script) return DISP_E_EXCEPTION;
  for (const RegistrarRoot& root : parsed.script->roots) {
    RegistryKey hive;
    if (const LSTATUS status = hive.Open(root.hive, "", kKeyAccess); status != ERROR_SUCCESS) {
      return FromStatus(status);
    }
    for (const RegistrarKey& key : root.keys) {
      const LSTATUS status =
          mode == RegistrarMode::kRegister ? RegisterKey(hive, key) : UnregisterKey(hive, key);
      if (status != ERROR_SUCCESS) return FromStatus(status);
    }
  }
  return S_OK;
}

}  // namespace platform
