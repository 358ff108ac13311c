// The product's command classes in the order every tab registers them.
#pragma once

#include "session/tab/ProductCommandClass.h"

namespace commands {

session::ProductCommandTable ProductCommandClasses();

}  // namespace commands
