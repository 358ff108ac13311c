// The product's command classes as a tab context creates them: one entry
// per ProgID, in the order the context registers them (the first command
// registered under a name is the one that answers it). The module hands its
// table to the toolbar class, which passes it to each tab's context.
#pragma once

#include <memory>
#include <span>

#include "framework/command/CommandC.h"

namespace session {

class ContextC;

struct ProductCommandClass {
  const char* progId;
  std::unique_ptr<framework::CommandC> (*create)(ContextC& context);
};

using ProductCommandTable = std::span<const ProductCommandClass>;

}  // namespace session
