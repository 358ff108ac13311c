#include "commands/navigation/SitePageCommands.h"

#include "commands/sites/ProductSite.h"
#include "soap/ServiceConfig.h"

namespace commands {

std::string MailHomePage() { return soap::DefaultMailSite(); }

std::string PrivacyPage() { return ProductSitePage("Docs/terms.aspx#pp"); }

std::string HelpPage() { return ProductSitePage("public/Help.aspx"); }

}  // namespace commands
