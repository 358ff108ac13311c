#include "session/ads/QXThread.h"

#include <string>
#include <utility>

#include "platform/automation/Bstr.h"
#include "platform/com/ComPtr.h"
#include "platform/files/FileSystem.h"
#include "platform/text/CodePage.h"
#include "platform/threading/WorkerThread.h"
#include "platform/trace/Contain.h"
#include "platform/ui/MessageQueue.h"
#include "session/GlobalSinglton.h"
#include "session/TabContextC.h"
#include "session/ads/AdsRequest.h"
#include "session/ads/SessionUserAgent.h"

namespace session {

bool QXThread::Start(std::shared_ptr<TabContextC> record) {
  return platform::StartWorkerThread("QXThread::ShowSidebar",
                                     [record = std::move(record)] { ShowSidebar(record); });
}

void QXThread::ShowSidebar(std::shared_ptr<TabContextC> record) noexcept {
  platform::Contain("QXThread::ShowSidebar", false, [&] {
    if (!record) return false;
    // Our own reference: the tab may release the browser while we wait.
    const platform::ComPtr<IWebBrowser2> browser = record->browser;
    platform::Bstr location;
    if (browser) browser->get_LocationURL(location.Receive());

    const std::string memberId = GlobalSinglton::MemberId();
    const soap::AdRequest request = MakeAdRequest(memberId, ChosenCategoryName(*record),
                                                  ReadSessionUserAgent(), location.String());
    const SidebarFetch fetch = FetchSidebarContent(request, !memberId.empty());
    record->SetContent(platform::WideToAnsi(fetch.html));

    // A window destroyed meanwhile fails the send, and one whose thread
    // waits for us runs it out of time: either way we end quietly.
    if (const HWND window = record->SidebarWindow()) {
      DWORD_PTR answer = 0;
      SendMessageTimeoutW(window, WM_PAINT, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                          kSidebarSendTimeoutMs, &answer);
    }
    return true;
  });
}

void QXThread::SetSidebarOriginalContent(const std::shared_ptr<TabContextC>& record) noexcept {
  platform::Contain("QXThread::SetSidebarOriginalContent", false, [&] {
    if (!record) return false;
    const platform::ComPtr<IWebBrowser2> sidebarBrowser = record->SidebarBrowser();
    if (!sidebarBrowser) return false;
    const platform::Bstr page(u"res://" + platform::AnsiToWide(platform::ModuleFilePath()) +
                              u"/ad.htm");
    return SUCCEEDED(sidebarBrowser->Navigate(page.Get(), nullptr, nullptr, nullptr, nullptr));
  });
}

}  // namespace session
