#include "server/registration/ScriptRegistration.h"

#include "platform/registrar/Registrar.h"
#include "platform/resources/ModuleResources.h"
#include "platform/text/CodePage.h"

namespace server {
namespace {

HRESULT RunScript(int scriptId, const std::u16string& modulePath, platform::RegistrarMode mode) {
  const auto script = platform::FindModuleResource("REGISTRY", scriptId);
  if (!script) return SELFREG_E_CLASS;
  // The registry keeps ANSI text, so the path goes in as the registry will
  // store it.
  const std::string module = platform::WideToAnsi(modulePath);
  const platform::RegistrarReplacement replacements[] = {{"MODULE", module}};
  return platform::RunRegistrarScript(*script, replacements, mode);
}

}  // namespace

HRESULT RegisterScript(int scriptId, const std::u16string& modulePath) {
  return RunScript(scriptId, modulePath, platform::RegistrarMode::kRegister);
}

HRESULT UnregisterScript(int scriptId, const std::u16string& modulePath) {
  return RunScript(scriptId, modulePath, platform::RegistrarMode::kUnregister);
}

}  // namespace server
