#include "platform/text/MarkupEscapes.h"

namespace platform {
namespace {

bool MustEscapeInScript(char16_t unit) {
  return unit < 0x20 || unit == 0x7F || unit == 0x2028 || unit == 0x2029 || unit == u'\\' ||
         unit == u'\'' || unit == u'"' || unit == u'<' || unit == u'>';
}

}  // namespace

std::u16string EscapeHtml(std::u16string_view text) {
  std::u16string escaped;
  escaped.reserve(text.size());
  for (char16_t unit : text) {
    switch (unit) {
      case u'&':
        escaped += u"&amp;";
        break;
      case u'<':
        escaped += u"&lt;";
        break;
      case u'>':
        escaped += u"&gt;";
        break;
      case u'"':
        escaped += u"&quot;";
        break;
      case u'\'':
        escaped += u"&#39;";
        break;
      case u'\0':
        escaped += u'\xFFFD';
        break;
      default:
        escaped += unit;
    }
  }
  return escaped;
}

std::u16string EscapeScriptString(std::u16string_view text) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  std::u16string escaped;
  escaped.reserve(text.size());
  for (char16_t unit : text) {
    if (!MustEscapeInScript(unit)) {
      escaped += unit;
      continue;
    }
    escaped += u"\\u";
    for (int shift = 12; shift >= 0; shift -= 4) escaped += kHex[(unit >> shift) & 0x0F];
  }
  return escaped;
}

}  // namespace platform
