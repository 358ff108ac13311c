#include "session/sidebar/ClickUrl.h"

#include <algorithm>
#include <string_view>

#include "session/sidebar/PercentEncoding.h"

namespace session {
namespace {

char16_t LowerAscii(char16_t unit) {
  return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

// `lowerPrefix` is lower-case ASCII.
bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view lowerPrefix) {
  return text.size() >= lowerPrefix.size() &&
         std::equal(
             lowerPrefix.begin(), lowerPrefix.end(), text.begin(),
             [](char16_t prefixUnit, char16_t unit) { return prefixUnit == LowerAscii(unit); });
}

}  // namespace

std::optional<std::u16string> ClickActionUrl(const soap::SoapString& clickUrl) {
  if (!clickUrl) return std::nullopt;
  if (!StartsWithIgnoringCase(*clickUrl, u"http://") &&
      !StartsWithIgnoringCase(*clickUrl, u"https://")) {
    return std::nullopt;
  }
  return PercentEncodeUrl(*clickUrl);
}

}  // namespace session
