// Internal to platform/xml on Windows: the res: protocol of the browser over
// the resources of the modules loaded in the process, as FindResource,
// LoadResource and LockResource find them.
#pragma once

#if defined(_WIN32)

#include <optional>
#include <string>
#include <string_view>

namespace platform::xml_detail {

// "res://" + module path + "/" + name (type HTML), or
// "res://" + module path + "/" + type + "/" + name: the resource's bytes.
// The module path, percent escapes decoded and either separator allowed,
// names a module already loaded under that path; a type is a number ("2",
// "#23"), HTML or BITMAP by name, or a custom type's name. Any other
// address, module or resource: nullopt.
std::optional<std::string> ResUrlBytes(std::string_view url);

}  // namespace platform::xml_detail

#endif  // _WIN32
