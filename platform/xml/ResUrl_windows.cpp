#if defined(_WIN32)

#include "platform/xml/ResUrl_windows.h"

#include <windows.h>

#include <charconv>

#include "platform/files/WindowsPath.h"
#include "platform/text/CodePage.h"
#include "platform/text/PercentEncode.h"
#include "platform/text/WideChars.h"

namespace platform::xml_detail {
namespace {

// A resource type as the res: protocol writes it: a number ("2", "#23"), one
// of the standard types the module's resources use by name, or a name.
std::optional<WORD> TypeNumber(std::string_view type) {
  if (AnsiToLower(type) == "html") return 23;
  if (AnsiToLower(type) == "bitmap") return 2;
  if (type.starts_with('#')) type.remove_prefix(1);
  WORD number = 0;
  const auto [end, error] = std::from_chars(type.data(), type.data() + type.size(), number);
  if (error != std::errc() || end != type.data() + type.size() || type.empty()) {
    return std::nullopt;
  }
  return number;
}

// FindResource + LoadResource + LockResource: the bytes live as long as the
// module stays loaded, so they are copied out at once.
std::optional<std::string> ModuleResource(HMODULE module, std::string_view type,
                                          std::string_view name) {
  const std::u16string wideName = AnsiToWide(name);
  const std::u16string wideType = AnsiToWide(type);
  const std::optional<WORD> typeNumber = TypeNumber(type);
  const HRSRC found = FindResourceW(module, AsWchar(wideName),
                                    typeNumber ? MAKEINTRESOURCEW(*typeNumber) : AsWchar(wideType));
  if (found == nullptr) return std::nullopt;
  const HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded == nullptr ? nullptr : LockResource(loaded);
  if (bytes == nullptr) return std::nullopt;
  return std::string(static_cast<const char*>(bytes), SizeofResource(module, found));
}

}  // namespace

std::optional<std::string> ResUrlBytes(std::string_view url) {
  constexpr std::string_view kScheme = "res://";
  if (url.size() < kScheme.size() || AnsiToLower(url.substr(0, kScheme.size())) != kScheme) {
    return std::nullopt;
  }
  const std::string rest = PercentDecode(url.substr(kScheme.size()));
  // The module path ends at a "/" followed by the resource's type and name;
  // the path itself may use either separator, so each "/" is a candidate.
  for (std::size_t slash = rest.find('/'); slash != std::string::npos;
       slash = rest.find('/', slash + 1)) {
    const auto modulePath = NormalizeWindowsPath(std::string_view(rest).substr(0, slash));
    if (!modulePath) continue;
    const HMODULE module = GetModuleHandleW(AsWchar(AnsiToWide(*modulePath)));
    if (module == nullptr) continue;
    const std::string_view resource = std::string_view(rest).substr(slash + 1);
    const std::size_t split = resource.find('/');
    if (split == std::string_view::npos) return ModuleResource(module, "HTML", resource);
    if (resource.find('/', split + 1) != std::string_view::npos) return std::nullopt;
    return ModuleResource(module, resource.substr(0, split), resource.substr(split + 1));
  }
  return std::nullopt;
}

}  // namespace platform::xml_detail

#endif  // _WIN32
