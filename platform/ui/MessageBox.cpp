#include <mutex>
#include <utility>

#include "platform/ui/Dialog.h"

namespace {

std::mutex journalMutex;
std::vector<platform::ui::MessageBoxRecord>& Journal() {
  static std::vector<platform::ui::MessageBoxRecord> journal;
  return journal;
}

}  // namespace

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  std::lock_guard lock(journalMutex);
  Journal().push_back({owner, text ? text : u"", caption ? caption : u"", type});
  return IDOK;
}

namespace platform::ui {

std::vector<MessageBoxRecord> TakeMessageBoxes() {
  std::lock_guard lock(journalMutex);
  return std::exchange(Journal(), {});
}

}  // namespace platform::ui
