#include "commands/search/SearchTerm.h"

#include <algorithm>

#include "platform/text/CodePage.h"
#include "platform/text/PercentEncode.h"

namespace commands {
namespace {

bool IsUnreserved(unsigned char byte) {
  return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
         (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' || byte == '~';
}

// The space is left for the "+" below; nothing else can stand as a space.
bool MustEncodeInQuery(unsigned char byte) { return byte != ' ' && !IsUnreserved(byte); }

}  // namespace

std::string EncodeSearchTerm(std::string_view ansiTerm) {
  std::string encoded = platform::PercentEncode(
      platform::WideToUtf8(platform::AnsiToWide(ansiTerm)), &MustEncodeInQuery);
  std::replace(encoded.begin(), encoded.end(), ' ', '+');
  return encoded;
}

}  // namespace commands
