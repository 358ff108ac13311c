#include <optional>
#include <string>

#include "framework/builtin/BuiltinCommands.h"
#include "framework/builtin/PageDocuments.h"
#include "framework/builtin/PageReadyWait.h"
#include "framework/builtin/ScriptText.h"
#include "framework/builtin/TextExpansion.h"
#include "framework/command/CommandContainerI.h"
#include "framework/controls/ElementAttribute.h"
#include "framework/layout/LayoutLoader.h"
#include "platform/automation/Bstr.h"
#include "platform/automation/Variant.h"
#include "platform/files/FileSystem.h"

namespace framework {

namespace {

using platform::ComPtr;

bool IsAbsolutePath(std::string_view path) {
  return (path.size() > 1 && path[1] == ':') || path.starts_with("\\\\") || path.starts_with("//");
}

// A relative script file lives next to the layout, like the layout's
// images; its bytes are the script text (UTF-8).
std::string ReadScriptFile(const std::string& name, CommandContainerI* context) {
  std::string path = name;
  if (!IsAbsolutePath(name) && context != nullptr) {
    if (std::optional<std::string> base = BaseDirectoryOf(context->LayoutLocation())) {
      path = *base + "/" + name;
    }
  }
  return platform::ReadWholeFile(path).value_or(std::string());
}

void RunIn(IHTMLDocument2* document, const std::u16string& code, const std::u16string& language) {
  ComPtr<IHTMLWindow2> window;
  if (FAILED(document->get_parentWindow(window.ReleaseAndGetAddressOf())) || !window) return;
  platform::Variant result;
  window->execScript(platform::Bstr(code).Get(), platform::Bstr(language).Get(), &result);
}

}  // namespace

void ScriptCmdC::Execute(ControlI* control) {
  std::string script = ElementAttribute(control, "script");
  if (script.empty()) script = ElementAttribute(control, "parameter");
  if (NamesScriptFile(script)) {
    script = ReadScriptFile(script, Context());
    if (script.empty()) return;
  }
  script = ExpandPlaceholders(std::move(script), Context());
  if (!WaitForPageReady(Browser())) return;
  ComPtr<IHTMLDocument2> document = BrowserDocument(Browser());
  if (!document) return;
  ComPtr<IHTMLDocument2> top = TopDocument(document.Get());

  const std::string_view entry = EntryFunction(script);
  const std::u16string code = Wide(ScriptCode(script, entry, languageName_));
  const std::u16string language = Wide(languageName_);
  if (entry == kRunInAllFramesEntry) {
    for (const ComPtr<IHTMLDocument2>& each : DocumentsDepthFirst(top.Get())) {
      RunIn(each.Get(), code, language);
    }
  } else {
    RunIn(top.Get(), code, language);
  }
}

void ScriptCmdC::ExecuteWithText(const std::string&, ControlI* control) { Execute(control); }

}  // namespace framework
