// What the product's module sets up when the browser loads it, for the
// tools that link the product's code instead of loading the module: the
// sidebar band's class can be created through COM, and an ads request
// starts the ads thread. On leaving, the scope waits (bounded) for every
// worker the product started, so none outlives what it reports to.
//
// Lives on the thread that hosts the toolbars; that thread must be a COM
// apartment already, as the browser's window threads are.
#pragma once

#include "platform/com/HResult.h"

namespace tools {

class ProductClasses {
 public:
  ProductClasses();
  ~ProductClasses();
  ProductClasses(const ProductClasses&) = delete;
  ProductClasses& operator=(const ProductClasses&) = delete;

 private:
  DWORD sidebarClassCookie_ = 0;
};

}  // namespace tools
