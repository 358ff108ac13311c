// Registration scripts come from the module's resources, which a damaged or
// substituted module controls. Whatever the script, the registrar must stay
// within its bounds, write nothing for a script it cannot read, and keep
// its own promises for one it can: registering twice leaves what
// registering once did, and a registration into an empty registry can be
// unregistered.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "platform/registrar/Registrar.h"
#include "platform/registrar/RegistrarLimits.h"
#include "platform/registrar/RegistrarScript.h"
#include "platform/registry/RegistryFile.h"
#include "platform/registry/RegistryTestHooks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view script(reinterpret_cast<const char*>(data), size);
  const platform::RegistrarReplacement replacements[] = {{"MODULE", "C:\\it's\\m.dll"}};
  platform::ScopedRegistryReset registry;
  const std::string empty = platform::FormatRegistryText();

  const auto expanded = platform::ExpandRegistrarVariables(script, replacements);
  const bool readable = expanded && platform::ParseRegistrarScript(*expanded).script.has_value();
  if (expanded) FUZZ_CHECK(expanded->size() <= platform::kMaxRegistrarScriptLength);

  const HRESULT registered =
      platform::RunRegistrarScript(script, replacements, platform::RegistrarMode::kRegister);
  if (!readable) {
    FUZZ_CHECK(registered == DISP_E_EXCEPTION);
    FUZZ_CHECK(platform::FormatRegistryText() == empty);
    FUZZ_CHECK(platform::RunRegistrarScript(
                   script, replacements, platform::RegistrarMode::kUnregister) == DISP_E_EXCEPTION);
    return 0;
  }
  FUZZ_CHECK(registered == S_OK);
  const std::string once = platform::FormatRegistryText();
  FUZZ_CHECK(platform::RunRegistrarScript(script, replacements,
                                          platform::RegistrarMode::kRegister) == S_OK);
  FUZZ_CHECK(platform::FormatRegistryText() == once);
  FUZZ_CHECK(platform::RunRegistrarScript(script, replacements,
                                          platform::RegistrarMode::kUnregister) == S_OK);
  return 0;
}
