#include "framework/layoutdialog/LayoutDialog.h"

#include <utility>

#include "framework/command/CommandContainerI.h"
#include "framework/layout/StoredLayout.h"
#include "framework/toolband/ToolBandI.h"
#include "platform/trace/Trace.h"

namespace framework {

namespace {

// One per process: every dialog of every toolband goes to the same stand-in
// user, and all of them run on browser window threads one at a time.
LayoutDialogResponder& InstalledResponder() {
  static LayoutDialogResponder responder;
  return responder;
}

}  // namespace

ScopedLayoutDialogResponder::ScopedLayoutDialogResponder(LayoutDialogResponder responder)
    : previous_(std::exchange(InstalledResponder(), std::move(responder))) {}

ScopedLayoutDialogResponder::~ScopedLayoutDialogResponder() {
  InstalledResponder() = std::move(previous_);
}

LayoutDialogResult ShowLayoutDialog(HostData owner, ToolBandI& toolband,
                                    CommandContainerI& context) {
  platform::TraceScope trace("LayoutDialog::Show");
  const std::shared_ptr<platform::XmlDocument>& document = toolband.LayoutDocument();
  // A copy: the responder may install another one while it answers.
  const LayoutDialogResponder responder = InstalledResponder();
  if (document == nullptr || !responder) return LayoutDialogResult::kUnchanged;

  const std::optional<std::vector<bool>> shown = responder(owner, LayoutItemsOf(*document));
  if (!shown || !ApplyShownStates(*document, *shown)) return LayoutDialogResult::kUnchanged;
  return SaveStoredLayout(*document, context.GetStoredLayoutLocation())
             ? LayoutDialogResult::kChanged
             : LayoutDialogResult::kUnchanged;
}

}  // namespace framework
