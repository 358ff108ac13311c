#include "platform/text/MarkupEscapes.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace platform {
namespace {

struct Case {
  std::u16string_view text;
  std::u16string_view escaped;
};

TEST(EscapeHtml, TurnsTheMarkupCharactersIntoEntities) {
  for (const Case& c : {
           Case{u"", u""},
           Case{u"plain text 42", u"plain text 42"},
           Case{u"&", u"&amp;"},
           Case{u"<", u"&lt;"},
           Case{u">", u"&gt;"},
           Case{u"\"", u"&quot;"},
           Case{u"'", u"&#39;"},
           Case{u"&amp;", u"&amp;amp;"},
           Case{u"<a href='x' title=\"y\">", u"&lt;a href=&#39;x&#39; title=&quot;y&quot;&gt;"},
           Case{u"</script>", u"&lt;/script&gt;"},
       }) {
    EXPECT_EQ(EscapeHtml(c.text), c.escaped);
  }
}

TEST(EscapeHtml, ANulBecomesTheReplacementCharacter) {
  EXPECT_EQ(EscapeHtml(std::u16string_view(u"a\0b", 3)), u"a\uFFFDb");
}

TEST(EscapeHtml, LeavesEveryOtherCharacterAsItIs) {
  const std::u16string_view text = u"\t\n\r \u00e9\u20ac\U0001F600=`/\\;";
  EXPECT_EQ(EscapeHtml(text), text);
  const char16_t unpaired[] = {u'a', 0xD800, u'b'};
  EXPECT_EQ(EscapeHtml(std::u16string_view(unpaired, 3)), std::u16string_view(unpaired, 3));
}

TEST(EscapeScriptString, EscapesWhatCouldEndOrSpreadTheLiteral) {
  for (const Case& c : {
           Case{u"", u""},
           Case{u"http://a.example/?x=1&y=2", u"http://a.example/?x=1&y=2"},
           Case{u"\\", u"\\u005C"},
           Case{u"'", u"\\u0027"},
           Case{u"\"", u"\\u0022"},
           Case{u"</script>", u"\\u003C/script\\u003E"},
           Case{u"\n\r\t", u"\\u000A\\u000D\\u0009"},
           Case{std::u16string_view(u"\0", 1), u"\\u0000"},
           Case{u"\x1F\x7F", u"\\u001F\\u007F"},
           Case{u"\u2028\u2029", u"\\u2028\\u2029"},
           Case{u"');alert(1);('", u"\\u0027);alert(1);(\\u0027"},
           Case{u"\u00e9\u20ac", u"\u00e9\u20ac"},
       }) {
    EXPECT_EQ(EscapeScriptString(c.text), c.escaped);
  }
}

}  // namespace
}  // namespace platform
