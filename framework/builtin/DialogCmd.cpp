#include <cstdlib>
#include <optional>
#include <string>

#include "framework/builtin/BuiltinCommands.h"
#include "framework/builtin/PageDocuments.h"
#include "framework/command/CommandContainerI.h"
#include "framework/controls/ElementAttribute.h"
#include "framework/layout/LayoutLoader.h"
#include "platform/html/HtmlDialog.h"
#include "platform/text/WideChars.h"

namespace framework {

namespace {

constexpr int kDefaultWidth = 340;
constexpr int kDefaultHeight = 160;
constexpr std::size_t kOptionsChars = 1024;
constexpr std::string_view kSeparator = "##";

struct DialogRequest {
  int width = kDefaultWidth;
  int height = kDefaultHeight;
  std::string file;
};

// Splits "before##after" when the separator is not at the very start; the
// whole text is `after` otherwise.
std::optional<std::string> TakeLeading(std::string& text) {
  const std::size_t at = text.find(kSeparator);
  if (at == std::string::npos || at == 0) return std::nullopt;
  std::string leading = text.substr(0, at);
  text.erase(0, at + kSeparator.size());
  return leading;
}

DialogRequest ReadRequest(ControlI* control) {
  DialogRequest request;
  request.file = ElementAttribute(control, "filename");
  if (!request.file.empty()) {
    if (int width = std::atoi(ElementAttribute(control, "dialog-width").c_str()); width >= 1) {
      request.width = width;
    }
    if (int height = std::atoi(ElementAttribute(control, "dialog-height").c_str()); height > 0) {
      request.height = height;
    }
    return request;
  }
  // "width##height##file": the layout's short form, taken as written.
  request.file = ElementAttribute(control, "parameter");
  if (std::optional<std::string> width = TakeLeading(request.file)) {
    request.width = std::atoi(width->c_str());
    if (std::optional<std::string> height = TakeLeading(request.file)) {
      request.height = std::atoi(height->c_str());
    }
  }
  return request;
}

// Lower-cased as wide text: lowering the UTF-8 bytes would break the lead
// bytes of non-ASCII file names.
std::u16string LowerCase(std::u16string text) {
  for (char16_t& c : text) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c += 0x20;
  }
  return text;
}

std::u16string Options(const DialogRequest& request) {
  std::string options = "dialogHeight:" + std::to_string(request.height) +
                        "px;dialogWidth:" + std::to_string(request.width) + "px;status=no;help=off";
  if (options.size() >= kOptionsChars) options.resize(kOptionsChars - 1);
  return Wide(options);
}

}  // namespace

void DialogCmdC::Execute(ControlI* control) {
  SHOWHTMLDIALOGFN* showDialog = platform::html::LoadShowHTMLDialog();
  if (showDialog == nullptr) return;
  const DialogRequest request = ReadRequest(control);
  std::string base;
  if (Context() != nullptr) base = BaseDirectoryOf(Context()->LayoutLocation()).value_or("");
  const std::u16string url = LowerCase(Wide("file://" + base + "/" + request.file));

  platform::ComPtr<IMoniker> moniker;
  if (FAILED(CreateURLMoniker(nullptr, platform::AsWchar(url), moniker.ReleaseAndGetAddressOf())))
    return;
  std::u16string options = Options(request);
  showDialog(static_cast<HWND>(GetHostData()), moniker.Get(), nullptr,
             platform::AsWchar(options.data()), nullptr);
}

void DialogCmdC::ExecuteWithText(const std::string&, ControlI* control) { Execute(control); }

}  // namespace framework
