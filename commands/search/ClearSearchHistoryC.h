// "Clear Search History": empties this tab's search box and its history, and
// the history file as it stands now (other tabs keep their lists and write
// them back when they close).
#pragma once

#include "framework/command/CommandC.h"
#include "session/tab/ContextC.h"

namespace commands {

inline constexpr char kClearSearchHistoryCommand[] = "VimaruIEToolbar.ClearSearchHistory";

class ClearSearchHistoryC final : public framework::CommandC {
 public:
  explicit ClearSearchHistoryC(session::ContextC& context);

  void Execute(framework::ControlI* control) override;

 private:
  session::ContextC& context_;
};

}  // namespace commands
