#include "platform/xml/SelectionNamespaces.h"

#include <gtest/gtest.h>

namespace platform::xml_detail {
namespace {

TEST(ParseSelectionNamespaces, AcceptsTheDeclarationsMsxmlAccepts) {
  const auto parsed = ParseSelectionNamespaces(
      "xmlns:toolband='http://host/toolband' xmlns:ms='urn:schemas-microsoft-com:xslt'");
  ASSERT_TRUE(parsed.has_value());
  const Namespaces expected = {{"toolband", "http://host/toolband"},
                               {"ms", "urn:schemas-microsoft-com:xslt"}};
  EXPECT_EQ(*parsed, expected);

  EXPECT_EQ(ParseSelectionNamespaces("  xmlns:a=\"u 1\"\t\nxmlns:b='v'  ")->size(), 2u);
  EXPECT_TRUE(ParseSelectionNamespaces("")->empty());
}

TEST(ParseSelectionNamespaces, RefusesEverythingElse) {
  const char* const bad[] = {
      "xmlns='http://default'",
      "xmlns:='u'",
      "xmlns:a=u",
      "xmlns:a='u",
      "xmlns:a=''",
      "xmlns:a='u'x",
      "xmlns:a='u'xmlns:b='v'",
      "xmlns:a:b='u'",
      "xmlnsa='u'",
      "garbage",
      "xmlns:a",
  };
  for (const char* text : bad) EXPECT_FALSE(ParseSelectionNamespaces(text).has_value()) << text;
}

}  // namespace
}  // namespace platform::xml_detail
