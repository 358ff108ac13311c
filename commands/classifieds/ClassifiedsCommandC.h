// An item of the "Classifieds" menu: searches the product's search host for
// classified ads of its category and keeps that category as the tab's
// (ContextC::ClassifiedsCategory), which the tab's classifieds searches go
// on from.
#pragma once

#include <string>
#include <string_view>

#include "framework/command/CommandC.h"
#include "session/tab/ContextC.h"

namespace commands {

// The search host's classifieds page for `category` ("housing-sale").
std::string ClassifiedsSearchPage(std::string_view category);

class ClassifiedsCommandC : public framework::CommandC {
 public:
  ClassifiedsCommandC(session::ContextC& context, const char* progId, const char* category);

  void Execute(framework::ControlI* control) override;

 private:
  session::ContextC& context_;
  const char* const category_;
};

}  // namespace commands
