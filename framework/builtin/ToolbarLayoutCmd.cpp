#include <memory>
#include <vector>

#include "framework/builtin/BuiltinCommands.h"
#include "framework/command/CommandContainerI.h"
#include "framework/layout/LayoutWords.h"
#include "framework/layout/StoredLayout.h"
#include "framework/layoutdialog/LayoutDialog.h"
#include "framework/toolband/ToolBandI.h"

namespace framework {

// The controls follow the stored copy rather than the dialog's answer: the
// stored copy is what every later load of this layout will show, so the
// toolbar now looks the way it will look after a restart.
void ToolbarLayoutCmdC::OnExecute() {
  if (toolband_ == nullptr || context_ == nullptr) return;
  if (ShowLayoutDialog(hostWindow_, *toolband_, *context_) != LayoutDialogResult::kChanged) {
    return;
  }
  const std::shared_ptr<platform::XmlDocument> stored =
      ReadStoredLayout(context_->GetStoredLayoutLocation());
  if (stored == nullptr) return;
  const std::vector<platform::XmlElement> elements = TopLevelLayoutElements(*stored);
  for (std::size_t index = 0; index < elements.size(); ++index) {
    const bool show = ReadInteger(elements[index].Attribute("disabled")) == 0;
    toolband_->ShowControl(static_cast<int>(index), show);
  }
}

}  // namespace framework
