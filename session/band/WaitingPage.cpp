#include "session/band/WaitingPage.h"

#include "platform/files/FileSystem.h"
#include "platform/text/CodePage.h"

namespace session {

std::u16string WaitingPageUrl() {
  return u"res://" + platform::AnsiToWide(platform::ModuleFilePath()) + u"/ad.htm";
}

}  // namespace session
