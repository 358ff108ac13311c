// Canonical Windows paths and file URLs. Everything that reaches the host
// goes through NormalizeWindowsPath first, so this is where a path is
// refused when it tries to climb out of its drive or carries characters no
// Windows file name may hold.
#include "platform/files/WindowsPath.h"

#include <vector>

#include "platform/text/CodePage.h"
#include "platform/text/PercentEncode.h"

namespace platform {
namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Characters Windows refuses in a file name. Wildcards are among them:
// FindFiles splits its pattern off before the directory part gets here.
bool IsForbiddenInName(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte < 0x20) return true;
  switch (c) {
    case '<':
    case '>':
    case ':':
    case '"':
    case '|':
    case '?':
    case '*':
      return true;
    default:
      return false;
  }
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (AnsiToLower(text[i]) != AnsiToLower(prefix[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> NormalizeWindowsPath(std::string_view path) {
  if (path.size() < 2 || !IsDriveLetter(path[0]) || path[1] != ':') return std::nullopt;
  // "C:" alone is taken as the drive's root; "C:dir" (relative to the
  // drive's current directory) has no meaning for a process without one.
  if (path.size() > 2 && !IsSeparator(path[2])) return std::nullopt;

  std::vector<std::string_view> components;
  std::size_t pos = 2;
  while (pos < path.size()) {
    while (pos < path.size() && IsSeparator(path[pos])) ++pos;
    std::size_t end = pos;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    const std::string_view component = path.substr(pos, end - pos);
    pos = end;
    if (component.empty() || component == ".") continue;
    if (component == "..") {
      // Windows would stop at the root; refusing keeps a crafted path from
      // being mistaken for a different file than the one it names.
      if (components.empty()) return std::nullopt;
      components.pop_back();
      continue;
    }
    for (char c : component) {
      if (IsForbiddenInName(c)) return std::nullopt;
    }
    components.push_back(component);
  }

  std::string normalized{ToUpperAscii(path[0]), ':', '\\'};
  for (std::size_t i = 0; i < components.size(); ++i) {
    if (i > 0) normalized.push_back('\\');
    normalized.append(components[i]);
  }
  return normalized;
}

std::optional<std::string> FileUrlToWindowsPath(std::string_view url) {
  if (!StartsWithNoCase(url, "file:")) return NormalizeWindowsPath(url);
  std::string rest = PercentDecode(url.substr(5));
  std::string_view view = rest;
  if (view.size() >= 2 && IsSeparator(view[0]) && IsSeparator(view[1])) view.remove_prefix(2);
  if (StartsWithNoCase(view, "localhost") && view.size() > 9 && IsSeparator(view[9])) {
    view.remove_prefix(9);
  }
  if (!view.empty() && IsSeparator(view[0])) view.remove_prefix(1);
  // Old-style "C|/dir" URLs still appear in pages written for the browser.
  std::string path{view};
  if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == '|') path[1] = ':';
  return NormalizeWindowsPath(path);
}

bool SameWindowsPath(std::string_view a, std::string_view b) {
  const auto left = NormalizeWindowsPath(a);
  const auto right = NormalizeWindowsPath(b);
  return left && right && AnsiToLower(*left) == AnsiToLower(*right);
}

std::string ParentDirectory(std::string_view canonicalPath) {
  const std::size_t slash = canonicalPath.rfind('\\');
  if (slash == std::string_view::npos) return {};
  // Keep the backslash of a drive root: the parent of "C:\x" is "C:\".
  if (slash == 2 && canonicalPath.size() > 1 && canonicalPath[1] == ':') {
    return std::string{canonicalPath.substr(0, 3)};
  }
  return std::string{canonicalPath.substr(0, slash)};
}

std::string FileNamePart(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return std::string{slash == std::string_view::npos ? path : path.substr(slash + 1)};
}

bool MatchesWildcard(std::string_view pattern, std::string_view fileName) {
  // Iterative match with one back-tracking point: the last '*' seen.
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t starPattern = std::string_view::npos;
  std::size_t starName = 0;
  while (n < fileName.size()) {
    if (p < pattern.size() &&
        (pattern[p] == '?' || AnsiToLower(pattern[p]) == AnsiToLower(fileName[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
    } else if (starPattern != std::string_view::npos) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace platform
