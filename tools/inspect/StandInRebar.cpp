#include "tools/inspect/StandInRebar.h"

#include "platform/ui/ComboBox.h"
#include "platform/ui/CommCtrl.h"

namespace tools {

StandInRebar::StandInRebar()
    : rebar_(CreateWindowExW(0, REBARCLASSNAMEW, u"", WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr,
                             nullptr, nullptr, nullptr)),
      bandSite_(CreateWindowExW(0, WC_STATICW, u"", WS_CHILD | WS_VISIBLE, 0, 0, kWidth,
                                kHeight / 2, rebar_.Get(), nullptr, nullptr, nullptr)) {}

}  // namespace tools
