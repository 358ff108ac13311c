// The registrar: runs a registration script (RegistrarScript.h) against the
// registry, what ATL's registrar does for UpdateRegistryFromResource.
//
// Registering creates every key and sets every value the script names;
// a ForceRemove key is first deleted with everything below it, so a second
// registration leaves exactly one set of entries and none of what was
// stored under it. Registration stops at the first failing step and answers
// its error, leaving what was written before.
//
// Unregistering deletes ForceRemove keys whole, deletes plain keys once
// nothing is left below them (another product's subkey keeps a shared key),
// and from NoRemove keys removes only the values the script names. What is
// already missing counts as removed.
//
// The script is read whole before anything is written: a script with a
// syntax error, or with an unknown %NAME%, changes nothing and answers
// DISP_E_EXCEPTION, as ATL's registrar does.
#pragma once

#include <span>
#include <string_view>

#include "platform/com/HResult.h"
#include "platform/registrar/RegistrarVariables.h"

namespace platform {

enum class RegistrarMode { kRegister, kUnregister };

HRESULT RunRegistrarScript(std::string_view script,
                           std::span<const RegistrarReplacement> replacements, RegistrarMode mode);

}  // namespace platform
