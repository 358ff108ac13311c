#include "platform/xml/DocumentProlog.h"

#include <gtest/gtest.h>

#include <string>

namespace platform::xml_detail {
namespace {

using namespace std::string_literals;

// `ascii` as UTF-16 or UTF-32 in the byte order asked for, behind `mark`.
std::string Widened(std::string_view ascii, std::size_t width, bool bigEndian,
                    std::string mark = "") {
  std::string bytes = std::move(mark);
  for (char c : ascii) {
    std::string unit(width, '\0');
    unit[bigEndian ? width - 1 : 0] = c;
    bytes += unit;
  }
  return bytes;
}

PrologVerdict VerdictOf(std::string_view bytes) { return ReadDocumentProlog(bytes).verdict; }

TEST(DocumentProlog, FindsADocumentTypeBehindDeclarationCommentsAndInstructions) {
  EXPECT_EQ(VerdictOf("<!DOCTYPE a><a/>"), PrologVerdict::kDocumentType);
  EXPECT_EQ(VerdictOf("<?xml version=\"1.0\"?>\r\n<!-- x -->\t<?pi data?>\n<!DOCTYPE a [\n]><a/>"),
            PrologVerdict::kDocumentType);
  EXPECT_EQ(VerdictOf("\xEF\xBB\xBF<!DOCTYPE a SYSTEM \"x.dtd\"><a/>"),
            PrologVerdict::kDocumentType);
}

TEST(DocumentProlog, ReadsEveryFormTheFirstBytesAnnounce) {
  const std::string document = "<?xml version='1.0'?><!DOCTYPE a><a/>";
  for (bool bigEndian : {false, true}) {
    SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
    EXPECT_EQ(VerdictOf(Widened(document, 2, bigEndian)), PrologVerdict::kDocumentType);
    EXPECT_EQ(VerdictOf(Widened(document, 2, bigEndian, bigEndian ? "\xFE\xFF" : "\xFF\xFE")),
              PrologVerdict::kDocumentType);
    EXPECT_EQ(VerdictOf(Widened(document, 4, bigEndian)), PrologVerdict::kDocumentType);
    EXPECT_EQ(VerdictOf(Widened(document, 4, bigEndian,
                                bigEndian ? "\x00\x00\xFE\xFF"s : "\xFF\xFE\x00\x00"s)),
              PrologVerdict::kDocumentType);
    EXPECT_EQ(VerdictOf(Widened("<a><!DOCTYPE b></a>", 2, bigEndian,
                                bigEndian ? "\xFE\xFF" : "\xFF\xFE")),
              PrologVerdict::kNoDocumentType);
  }
}

TEST(DocumentProlog, MarkupInsideCommentsAndInstructionsOrAfterTheRootIsNotADocumentType) {
  const char* const documents[] = {
      "<a/>",
      "<!-- <!DOCTYPE a> --><a/>",
      "<?pi <!DOCTYPE a> ?><a/>",
      "<a><!DOCTYPE a></a>",
      "<a/><!DOCTYPE a>",
      "text <!DOCTYPE a><a/>",
      "<!-- unfinished <!DOCTYPE a>",
      "<!doctype a><a/>",
      "<![CDATA[x]]><!DOCTYPE a><a/>",
      "",
  };
  for (const char* document : documents) {
    EXPECT_EQ(VerdictOf(document), PrologVerdict::kNoDocumentType) << document;
  }
}

TEST(DocumentProlog, RefusesFormsWhoseMarkupItCannotTell) {
  EXPECT_EQ(VerdictOf("\x4C\x6F\xA7\x94\x93\x40"), PrologVerdict::kUnreadable);
  EXPECT_EQ(VerdictOf(" \0<!DOCTYPE a><a/>"s), PrologVerdict::kUnreadable);
  // UTF-16 without a byte order mark that does not open with "<?".
  EXPECT_EQ(VerdictOf(Widened(" <!DOCTYPE a><a/>", 2, false)), PrologVerdict::kUnreadable);
  EXPECT_EQ(VerdictOf(Widened("<!DOCTYPE a><a/>", 2, true)), PrologVerdict::kUnreadable);
}

TEST(DocumentProlog, KeepsTheDeclarationOnlyWhenTheDocumentStartsWithIt) {
  EXPECT_EQ(ReadDocumentProlog("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n<a/>").declaration,
            " version=\"1.0\" encoding=\"iso-8859-1\"");
  EXPECT_EQ(
      ReadDocumentProlog(Widened("<?xml version='1.0'?><a/>", 2, true, "\xFE\xFF")).declaration,
      " version='1.0'");
  EXPECT_FALSE(ReadDocumentProlog(" <?xml version='1.0'?><a/>").declaration.has_value());
  EXPECT_FALSE(ReadDocumentProlog("<?xml-stylesheet href='a'?><a/>").declaration.has_value());
  EXPECT_FALSE(ReadDocumentProlog("<a/>").declaration.has_value());
}

TEST(DocumentProlog, ReadsTheDeclarationsValues) {
  constexpr std::string_view declaration =
      " version='1.0' encoding = \"iso-8859-1\" standalone='yes'";
  EXPECT_EQ(DeclarationValue(declaration, "version"), "1.0");
  EXPECT_EQ(DeclarationValue(declaration, "encoding"), "iso-8859-1");
  EXPECT_EQ(DeclarationValue(declaration, "standalone"), "yes");
  EXPECT_FALSE(DeclarationValue(" version='1.0'", "encoding").has_value());
  EXPECT_FALSE(DeclarationValue(" version='1.0' xencoding='x'", "encoding").has_value());
  EXPECT_FALSE(DeclarationValue(" encoding='unclosed", "encoding").has_value());
  EXPECT_FALSE(DeclarationValue(" encoding=bare", "encoding").has_value());
}

}  // namespace
}  // namespace platform::xml_detail
