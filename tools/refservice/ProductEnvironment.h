// Where the product's endpoints and web-site hosts point when the
// reference service stands in for all of them: the environment variables
// that override the built-in addresses, each with its value for a service
// at `baseUrl` ("http://127.0.0.1:PORT"). Hosts set them before the
// product's first session starts, since the session reads them then.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace refservice {

using EnvironmentVariable = std::pair<std::string, std::string>;

std::vector<EnvironmentVariable> ProductEnvironmentFor(std::string_view baseUrl);

}  // namespace refservice
