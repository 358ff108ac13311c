// The "Search" menu: each item makes its engine the tab's and searches the
// box's term there at once (through the search button, so an empty box
// opens the engine's home page). The choice holds for this tab only, until
// another engine is chosen in it.
#pragma once

#include "framework/command/CommandC.h"
#include "session/tab/ContextC.h"

namespace commands {

inline constexpr char kWebCommand[] = "VimaruIEToolbar.Web";
inline constexpr char kYahooCommand[] = "VimaruIEToolbar.Yahoo";
inline constexpr char kAskCommand[] = "VimaruIEToolbar.Ask";
inline constexpr char kGoogleCommand[] = "VimaruIEToolbar.Google";
inline constexpr char kLycosCommand[] = "VimaruIEToolbar.Lycos";

class SearchEngineC : public framework::CommandC {
 public:
  SearchEngineC(session::ContextC& context, const char* progId, int engineId);

  void Execute(framework::ControlI* control) override;

 private:
  session::ContextC& context_;
  const int engineId_;
};

// "MSN Live"
class WebC final : public SearchEngineC {
 public:
  explicit WebC(session::ContextC& context);
};

class YahooC final : public SearchEngineC {
 public:
  explicit YahooC(session::ContextC& context);
};

class AskC final : public SearchEngineC {
 public:
  explicit AskC(session::ContextC& context);
};

class GoogleC final : public SearchEngineC {
 public:
  explicit GoogleC(session::ContextC& context);
};

class LycosC final : public SearchEngineC {
 public:
  explicit LycosC(session::ContextC& context);
};

}  // namespace commands
