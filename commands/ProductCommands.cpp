#include "commands/ProductCommands.h"

#include <array>
#include <memory>

#include "commands/QXC.h"
#include "commands/UpdateC.h"
#include "commands/classifieds/ClassifiedsCommands.h"
#include "commands/login/LoginCommands.h"
#include "commands/login/LoginTexts.h"
#include "commands/member/MemberCommands.h"
#include "commands/navigation/AutoViewC.h"
#include "commands/navigation/SitePageCommands.h"
#include "commands/navigation/UninstallC.h"
#include "commands/search/ClearSearchHistoryC.h"
#include "commands/search/SearchBtnC.h"
#include "commands/search/SearchC.h"
#include "commands/search/SearchEngineCommands.h"

namespace commands {
namespace {

template <class Command>
std::unique_ptr<framework::CommandC> Create(session::ContextC& context) {
  return std::make_unique<Command>(context);
}

// Registration order matters only where two classes answer one name (the
// first wins); it is kept as the product has always registered them.
constexpr std::array kProductCommandClasses = {
    session::ProductCommandClass{kVmailLinkCommand, &Create<VmailLinkC>},
    session::ProductCommandClass{kAutoLoginCommand, &Create<AutoLoginC>},
    session::ProductCommandClass{kAutoViewCommand, &Create<AutoViewC>},
    session::ProductCommandClass{kClearSearchHistoryCommand, &Create<ClearSearchHistoryC>},
    session::ProductCommandClass{kPrivacyCommand, &Create<PrivacyC>},
    session::ProductCommandClass{kHelpCommand, &Create<HelpC>},
    session::ProductCommandClass{kUninstallCommand, &Create<UninstallC>},
    session::ProductCommandClass{kQXCommand, &Create<QXC>},
    session::ProductCommandClass{kSearchButtonCommand, &Create<SearchBtnC>},
    session::ProductCommandClass{kSearchCommand, &Create<SearchC>},
    session::ProductCommandClass{kWebCommand, &Create<WebC>},
    session::ProductCommandClass{kYahooCommand, &Create<YahooC>},
    session::ProductCommandClass{kAskCommand, &Create<AskC>},
    session::ProductCommandClass{kGoogleCommand, &Create<GoogleC>},
    session::ProductCommandClass{kLycosCommand, &Create<LycosC>},
    session::ProductCommandClass{kLoginCommand, &Create<LoginC>},
    session::ProductCommandClass{kMoneyCommand, &Create<MyMoneyC>},
    session::ProductCommandClass{kVmailCommand, &Create<VmailC>},
    session::ProductCommandClass{kTellFriendsCommand, &Create<TellFriendsC>},
    session::ProductCommandClass{kRegisterCommand, &Create<RegisterC>},
    session::ProductCommandClass{session::kUpdateCommand, &Create<UpdateC>},
    session::ProductCommandClass{kClassifiedsMenuCommand, &Create<ClassifiedsMenuC>},
    session::ProductCommandClass{kVehiclesCommand, &Create<VehiclesC>},
    session::ProductCommandClass{kRealEstateCommand, &Create<RealEstateC>},
    session::ProductCommandClass{kForRentCommand, &Create<ForRentC>},
    session::ProductCommandClass{kJobsCommand, &Create<JobsC>},
    session::ProductCommandClass{kPetsCommand, &Create<PetsC>},
    session::ProductCommandClass{kForSaleCommand, &Create<ForSaleC>},
    session::ProductCommandClass{kTiketsCommand, &Create<TiketsC>},
    session::ProductCommandClass{kPersonalCommand, &Create<PersonalC>},
    session::ProductCommandClass{kServicesCommand, &Create<ServicesC>},
};

}  // namespace

session::ProductCommandTable ProductCommandClasses() { return kProductCommandClasses; }

}  // namespace commands
