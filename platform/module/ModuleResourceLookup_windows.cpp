// The module's resources on Windows are the ones the resource compiler put
// into its image: found by FindResource in this module, whose bytes stay
// mapped while the module is loaded.
#ifdef _WIN32
#include <windows.h>

#include <cctype>

#include "platform/module/ThisModule.h"
#include "platform/resources/Bitmap.h"
#include "platform/resources/ModuleResources.h"

namespace platform {
namespace {

// The standard types by the names the product writes them with; any other
// type is a named one of the module's own ("REGISTRY", "TYPELIB").
struct StandardType {
  std::string_view name;
  WORD id;
};
constexpr StandardType kStandardTypes[] = {
    {"BITMAP", 2}, {"ICON", 14}, {"HTML", 23}, {"RCDATA", 10}, {"STRING", 6},
};

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

std::optional<std::string_view> Find(std::string_view type, LPCSTR name) {
  const std::string upperType = Upper(type);
  LPCSTR typeKey = upperType.c_str();
  for (const StandardType& standard : kStandardTypes) {
    if (standard.name == upperType) typeKey = MAKEINTRESOURCEA(standard.id);
  }
  HMODULE module = ThisModule();
  HRSRC found = FindResourceA(module, name, typeKey);
  if (found == nullptr) return std::nullopt;
  HGLOBAL loaded = LoadResource(module, found);
  const DWORD size = SizeofResource(module, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return std::nullopt;
  return std::string_view(static_cast<const char*>(bytes), size);
}

}  // namespace

std::optional<std::string_view> FindModuleResource(std::string_view type, std::string_view name) {
  if (name.size() > 1 && name[0] == '#') {
    int id = 0;
    for (char digit : name.substr(1)) {
      if (digit < '0' || digit > '9' || id > 0xFFFF) return std::nullopt;
      id = id * 10 + (digit - '0');
    }
    return FindModuleResource(type, id);
  }
  return Find(type, Upper(name).c_str());
}

std::optional<std::string_view> FindModuleResource(std::string_view type, int id) {
  if (id <= 0 || id > 0xFFFF) return std::nullopt;
  return Find(type, MAKEINTRESOURCEA(id));
}

std::optional<Bitmap> LoadBitmapResource(int id) {
  const auto bytes = FindModuleResource("BITMAP", id);
  if (!bytes) return std::nullopt;
  return DecodeBitmap(*bytes);
}

}  // namespace platform
#endif
