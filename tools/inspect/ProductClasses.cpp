#include "tools/inspect/ProductClasses.h"

#include <chrono>
#include <memory>

#include "platform/activation/Activation.h"
#include "platform/com/ClassFactory.h"
#include "platform/ui/WorkerPump.h"
#include "session/GlobalSinglton.h"
#include "session/ads/QXThread.h"
#include "session/band/CmyIESideBar.h"
#include "session/band/SidebarClass.h"

namespace tools {
namespace {

// Workers bound their own waits; this only catches a hang.
constexpr auto kWorkerGuard = std::chrono::seconds(60);

}  // namespace

ProductClasses::ProductClasses() {
  auto factory = platform::Make<platform::ClassFactory<session::CmyIESideBar>>();
  CoRegisterClassObject(session::CLSID_CmyIESideBar, factory.Get(), CLSCTX_INPROC_SERVER,
                        REGCLS_MULTIPLEUSE, &sidebarClassCookie_);
  session::GlobalSinglton::SetAdsRequestStarter([](std::shared_ptr<session::TabContextC> tab) {
    session::QXThread::Start(std::move(tab));
  });
}

ProductClasses::~ProductClasses() {
  platform::ui::RunUntilWorkersDone(kWorkerGuard);
  session::GlobalSinglton::SetAdsRequestStarter(nullptr);
  CoRevokeClassObject(sidebarClassCookie_);
}

}  // namespace tools
