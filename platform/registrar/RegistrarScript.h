// The registrar script language as ATL's registrar reads it (.rgs files):
//
//   HKCR
//   {
//       NoRemove CLSID
//       {
//           ForceRemove {736FA7B4-...} = s 'VimaruIEToolbar'
//           {
//               InprocServer32 = s '%MODULE%'
//               {
//                   val ThreadingModel = s 'Apartment'
//               }
//           }
//       }
//   }
//
// Roots are HKCR, HKCU, HKLM, HKU or their HKEY_... names. A key is a name,
// optionally preceded by NoRemove (kept on unregistration) or ForceRemove
// (replaced on registration), optionally followed by "= type value" for its
// default value and by a braced body of subkeys and "val Name = type value"
// entries. Types are s (REG_SZ text), d (REG_DWORD, decimal or 0x hex) and
// b (REG_BINARY, two hex digits a byte). Names and values may be quoted in
// single quotes, where '' stands for one quote; keywords, roots and types
// compare case-insensitively. Anything else is a syntax error.
//
// ParseRegistrarScript reads text whose %NAME% variables are already
// replaced (RegistrarVariables.h) into a tree, bounded by RegistrarLimits.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/RegistryTypes.h"

namespace platform {

struct RegistrarValue {
  std::string name;  // empty for the key's default value
  DWORD type = REG_SZ;
  std::vector<std::uint8_t> data;  // as stored: REG_SZ text with its NUL
};

enum class RegistrarRemoval {
  kPlain,        // created; removed on unregistration when nothing is left below it
  kNoRemove,     // created; never removed, only its named values are
  kForceRemove,  // deleted with everything below before it is written; removed whole
};

struct RegistrarKey {
  std::string name;
  RegistrarRemoval removal = RegistrarRemoval::kPlain;
  std::vector<RegistrarValue> values;  // the default value first when there is one
  std::vector<RegistrarKey> subkeys;
};

struct RegistrarRoot {
  HKEY hive = nullptr;
  std::vector<RegistrarKey> keys;
};

struct RegistrarScript {
  std::vector<RegistrarRoot> roots;
};

// Failure says where: the byte offset the parser stopped at.
struct RegistrarSyntaxError {
  std::size_t offset = 0;
  std::string reason;
};

struct RegistrarParseResult {
  std::optional<RegistrarScript> script;
  RegistrarSyntaxError error;  // meaningful when `script` is empty
};

RegistrarParseResult ParseRegistrarScript(std::string_view text);

}  // namespace platform
