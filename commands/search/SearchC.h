// The search box: an editable combo box whose command text is the search
// term and whose items are the tab's search history, oldest first. The
// history comes from the history file when the box is made and goes back to
// it when the box goes (SearchHistoryFile.h); while the tab runs it is this
// box's own.
//
// Text typed or picked in the box only becomes the command's text (the
// framework's choose text; the with-text slot is left empty): the search
// runs from the search button, an engine's menu item or Execute.
//
// Lives on the browser window's thread.
#pragma once

#include <string>
#include <string_view>

#include "framework/command/CommandC.h"
#include "platform/threading/ThreadChecker.h"
#include "session/tab/ContextC.h"

namespace commands {

inline constexpr char kSearchCommand[] = "VimaruIEToolbar.Search";

// Terms are added only while the history holds fewer; nothing is evicted.
inline constexpr std::size_t kSearchHistoryLimit = 50;

class SearchC final : public framework::CommandC {
 public:
  explicit SearchC(session::ContextC& context);
  ~SearchC() override;

  // Searches the box's text, when it holds any.
  void Execute(framework::ControlI* control) override;

  // Opens the tab's engine with `term`: its home page for an empty term or
  // the placeholder, else its results, recording the term in the history
  // when it is new and the history has room.
  void Apply(std::string_view term);

 private:
  void Record(const std::string& term);

  session::ContextC& context_;
  THREAD_CHECKER(threadChecker_);
};

}  // namespace commands
