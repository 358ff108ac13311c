// Pages of the product's web site, whose base address (ending in '/') is the
// build's web site setting or its run-time override (soap/ServiceConfig.h).
#pragma once

#include <string>
#include <string_view>

namespace commands {

// The base address followed by `relativePage` ("public/Help.aspx").
std::string ProductSitePage(std::string_view relativePage);

}  // namespace commands
