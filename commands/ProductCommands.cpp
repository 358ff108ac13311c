#include "commands/ProductCommands.h"

#include <array>
#include <memory>

#include "commands/QXC.h"
#include "commands/UpdateC.h"

namespace commands {
namespace {

template <class Command>
std::unique_ptr<framework::CommandC> Create(session::ContextC& context) {
  return std::make_unique<Command>(context);
}

// Registration order matters only where two classes answer one name (the
// first wins); it is kept as the product has always registered them.
constexpr std::array kProductCommandClasses = {
    session::ProductCommandClass{kQXCommand, &Create<QXC>},
    session::ProductCommandClass{session::kUpdateCommand, &Create<UpdateC>},
};

}  // namespace

session::ProductCommandTable ProductCommandClasses() { return kProductCommandClasses; }

}  // namespace commands
