// The search button beside the search box: searches the box's text at the
// tab's engine, or opens the engine's home page when the box is empty.
#pragma once

#include "framework/command/CommandC.h"
#include "session/tab/ContextC.h"

namespace commands {

inline constexpr char kSearchButtonCommand[] = "VimaruIEToolbar.SearchBoxBtn";

class SearchBtnC final : public framework::CommandC {
 public:
  explicit SearchBtnC(session::ContextC& context);

  void Execute(framework::ControlI* control) override;

 private:
  session::ContextC& context_;
};

}  // namespace commands
