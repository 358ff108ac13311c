// The main menu's plain page items: the mail service's home, the privacy
// terms and the help page.
#pragma once

#include <string>

#include "commands/navigation/SitePageCommandC.h"

namespace commands {

inline constexpr char kVmailLinkCommand[] = "VimaruIEToolbar.VmailLink";
inline constexpr char kPrivacyCommand[] = "VimaruIEToolbar.Privacy";
inline constexpr char kHelpCommand[] = "VimaruIEToolbar.Help";

// The mail service's origin alone, over http.
std::string MailHomePage();
std::string PrivacyPage();
std::string HelpPage();

class VmailLinkC final : public SitePageCommandC {
 public:
  explicit VmailLinkC(session::ContextC& context)
      : SitePageCommandC(context, kVmailLinkCommand, &MailHomePage) {}
};

class PrivacyC final : public SitePageCommandC {
 public:
  explicit PrivacyC(session::ContextC& context)
      : SitePageCommandC(context, kPrivacyCommand, &PrivacyPage) {}
};

class HelpC final : public SitePageCommandC {
 public:
  explicit HelpC(session::ContextC& context) : SitePageCommandC(context, kHelpCommand, &HelpPage) {}
};

}  // namespace commands
