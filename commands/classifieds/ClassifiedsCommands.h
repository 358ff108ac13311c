// The "Classifieds" menu: the menu's own command and its nine categories.
#pragma once

#include "commands/classifieds/ClassifiedsCommandC.h"

namespace commands {

inline constexpr char kClassifiedsMenuCommand[] = "VimaruIEToolbar.Classifieds";
inline constexpr char kVehiclesCommand[] = "VimaruIEToolbar.Vehicles";
inline constexpr char kRealEstateCommand[] = "VimaruIEToolbar.RealEstate";
inline constexpr char kForRentCommand[] = "VimaruIEToolbar.ForRent";
inline constexpr char kJobsCommand[] = "VimaruIEToolbar.Jobs";
inline constexpr char kPetsCommand[] = "VimaruIEToolbar.Pets";
inline constexpr char kForSaleCommand[] = "VimaruIEToolbar.ForSale";
inline constexpr char kTiketsCommand[] = "VimaruIEToolbar.Tikets";
inline constexpr char kPersonalCommand[] = "VimaruIEToolbar.Personal";
inline constexpr char kServicesCommand[] = "VimaruIEToolbar.Services";

// The shipped layout's "Classifieds" menu carries no command. A layout that
// names this one gets a command whose click opens nothing and only sets its
// checked value to the marker -1 (the framework's toggle counts only 1 as
// checked, so a toggle from the marker checks it).
class ClassifiedsMenuC final : public framework::CommandC {
 public:
  explicit ClassifiedsMenuC(session::ContextC&) : CommandC(kClassifiedsMenuCommand) {
    SetEnabled(true);
  }

  void Execute(framework::ControlI*) override { SetChecked(-1); }
};

class VehiclesC final : public ClassifiedsCommandC {
 public:
  explicit VehiclesC(session::ContextC& context)
      : ClassifiedsCommandC(context, kVehiclesCommand, "vehicle") {}
};

class RealEstateC final : public ClassifiedsCommandC {
 public:
  explicit RealEstateC(session::ContextC& context)
      : ClassifiedsCommandC(context, kRealEstateCommand, "housing-sale") {}
};

class ForRentC final : public ClassifiedsCommandC {
 public:
  explicit ForRentC(session::ContextC& context)
      : ClassifiedsCommandC(context, kForRentCommand, "housing-rent") {}
};

class JobsC final : public ClassifiedsCommandC {
 public:
  explicit JobsC(session::ContextC& context) : ClassifiedsCommandC(context, kJobsCommand, "job") {}
};

class PetsC final : public ClassifiedsCommandC {
 public:
  explicit PetsC(session::ContextC& context)
      : ClassifiedsCommandC(context, kPetsCommand, "sale-pet") {}
};

class ForSaleC final : public ClassifiedsCommandC {
 public:
  explicit ForSaleC(session::ContextC& context)
      : ClassifiedsCommandC(context, kForSaleCommand, "sale") {}
};

class TiketsC final : public ClassifiedsCommandC {
 public:
  explicit TiketsC(session::ContextC& context)
      : ClassifiedsCommandC(context, kTiketsCommand, "sale-tickets") {}
};

class PersonalC final : public ClassifiedsCommandC {
 public:
  explicit PersonalC(session::ContextC& context)
      : ClassifiedsCommandC(context, kPersonalCommand, "personals") {}
};

class ServicesC final : public ClassifiedsCommandC {
 public:
  explicit ServicesC(session::ContextC& context)
      : ClassifiedsCommandC(context, kServicesCommand, "service") {}
};

}  // namespace commands
