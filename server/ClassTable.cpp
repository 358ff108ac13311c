#include "server/ClassTable.h"

#include <array>

#include "commands/ProductCommands.h"
#include "platform/com/ClassFactory.h"
#include "session/band/CmyIESideBar.h"
#include "session/band/SidebarClass.h"
#include "session/tab/HookC.h"

namespace server {
namespace {

// Every toolbar is built with the product's command classes, which live in
// this module beside it.
platform::ComPtr<IClassFactory> CreateToolbarFactory() {
  return platform::Make<platform::ClassFactory<session::HookC, session::ProductCommandTable>>(
      commands::ProductCommandClasses());
}

platform::ComPtr<IClassFactory> CreateSidebarFactory() {
  return platform::Make<platform::ClassFactory<session::CmyIESideBar>>();
}

constexpr std::array kServerClasses = {
    ServerClass{session::CLSID_IEHook, &CreateToolbarFactory},
    ServerClass{session::CLSID_CmyIESideBar, &CreateSidebarFactory},
};

}  // namespace

std::span<const ServerClass> ServerClasses() { return kServerClasses; }

}  // namespace server
