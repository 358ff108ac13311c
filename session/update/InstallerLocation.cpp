#include "session/update/InstallerLocation.h"

#include <algorithm>
#include <array>

namespace session {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

// The URL's path after "http://host" or "https://host", up to its query or
// fragment; nullopt for any other scheme.
std::optional<std::string_view> HttpPath(std::string_view url) {
  for (std::string_view scheme : {"http://", "https://"}) {
    if (url.size() < scheme.size() || !EqualsIgnoringCase(url.substr(0, scheme.size()), scheme)) {
      continue;
    }
    const std::string_view rest = url.substr(scheme.size());
    const std::string_view path = rest.substr(std::min(rest.find_first_of("/?#"), rest.size()));
    return path.substr(0, std::min(path.find_first_of("?#"), path.size()));
  }
  return std::nullopt;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "%XX" becomes its byte; a "%" not followed by two hex digits stands as it is.
std::string PercentDecode(std::string_view text) {
  std::string decoded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
        HexDigit(text[i + 2]) >= 0) {
      decoded += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

bool IsRefusedInName(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F ||
         std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
}

// Windows opens the device, not a file, for these names whatever extension
// follows them.
bool IsDeviceName(std::string_view name) {
  static constexpr std::array<std::string_view, 22> kDevices = {
      "con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4", "com5", "com6", "com7",
      "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  return std::any_of(kDevices.begin(), kDevices.end(),
                     [&](std::string_view device) { return EqualsIgnoringCase(stem, device); });
}

// The base name, or nullopt when the segment is no plain file name.
std::optional<std::string> BaseName(std::string_view segment) {
  const std::string name = PercentDecode(segment);
  if (std::any_of(name.begin(), name.end(), IsRefusedInName)) return std::nullopt;
  const std::size_t dot = name.rfind('.');
  std::string base = dot == std::string::npos ? name : name.substr(0, dot);
  // Windows drops trailing dots and spaces, so such a name is not the file
  // it seems ("." and ".." among them).
  if (base.find_first_not_of(". ") == std::string::npos) return std::nullopt;
  if (IsDeviceName(base)) return std::nullopt;
  return base;
}

}  // namespace

std::optional<InstallerLocation> LocateInstaller(std::string_view installDirectory,
                                                 std::string_view url) {
  if (installDirectory.empty()) return std::nullopt;
  const std::optional<std::string_view> path = HttpPath(url);
  if (!path) return std::nullopt;
  const std::optional<std::string> base = BaseName(path->substr(path->rfind('/') + 1));
  if (!base) return std::nullopt;
  InstallerLocation location;
  location.installerPath = std::string(installDirectory) + "\\" + *base + ".exe";
  location.temporaryPath = location.installerPath + "__";
  return location;
}

}  // namespace session
