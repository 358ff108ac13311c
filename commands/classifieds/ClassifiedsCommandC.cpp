#include "commands/classifieds/ClassifiedsCommandC.h"

#include "platform/text/CodePage.h"
#include "platform/trace/Contain.h"
#include "soap/ServiceConfig.h"

namespace commands {

std::string ClassifiedsSearchPage(std::string_view category) {
  return soap::DefaultSearchSite() + "/search?type=classifieds&top=1&cat=" + std::string(category);
}

ClassifiedsCommandC::ClassifiedsCommandC(session::ContextC& context, const char* progId,
                                         const char* category)
    : CommandC(progId), context_(context), category_(category) {
  SetEnabled(true);
}

void ClassifiedsCommandC::Execute(framework::ControlI*) {
  platform::Contain("ClassifiedsCommandC::Execute", 0, [&] {
    context_.SetClassifiedsCategory(u"&cat=" + platform::AnsiToWide(category_));
    context_.Navigate2(ClassifiedsSearchPage(category_), false);
    return 0;
  });
}

}  // namespace commands
