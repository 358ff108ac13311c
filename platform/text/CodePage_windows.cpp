// The product's ANSI text is in the system's code page on Windows: the
// conversions are the system's own. Characters the code page cannot spell
// become '?' rather than a look-alike, so a converted name or markup never
// gains characters the wide text did not have.
#ifdef _WIN32
#include <windows.h>

#include <limits>

#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"

namespace platform {
namespace {

std::u16string ToWide(UINT codePage, std::string_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
    return {};
  const int length = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  if (units <= 0) return {};
  std::u16string wide(static_cast<std::size_t>(units), u'\0');
  MultiByteToWideChar(codePage, 0, text.data(), length, AsWchar(wide.data()), units);
  return wide;
}

std::string FromWide(UINT codePage, DWORD flags, std::u16string_view wide) {
  if (wide.empty() || wide.size() > static_cast<std::size_t>(std::numeric_limits<int>::max() / 4))
    return {};
  const int length = static_cast<int>(wide.size());
  const int bytes = WideCharToMultiByte(codePage, flags, AsWchar(wide.data()), length, nullptr, 0,
                                        nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string text(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(codePage, flags, AsWchar(wide.data()), length, text.data(), bytes, nullptr,
                      nullptr);
  return text;
}

}  // namespace

std::u16string AnsiToWide(std::string_view ansi) { return ToWide(CP_ACP, ansi); }

std::string WideToAnsi(std::u16string_view wide) {
  return FromWide(CP_ACP, WC_NO_BEST_FIT_CHARS, wide);
}

std::u16string Utf8ToWide(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }

std::string WideToUtf8(std::u16string_view wide) { return FromWide(CP_UTF8, 0, wide); }

char AnsiToLower(char c) {
  char lowered[1] = {c};
  CharLowerBuffA(lowered, 1);
  return lowered[0];
}

std::string AnsiToLower(std::string_view ansi) {
  std::string lowered(ansi);
  if (!lowered.empty() && lowered.size() <= std::numeric_limits<DWORD>::max()) {
    CharLowerBuffA(lowered.data(), static_cast<DWORD>(lowered.size()));
  }
  return lowered;
}

}  // namespace platform
#endif
