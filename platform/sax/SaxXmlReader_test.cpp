#include "platform/sax/SaxXmlReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform {
namespace {

// Writes every event as one line so a test can compare the whole sequence.
class RecordingHandler : public SaxContentHandler {
 public:
  std::vector<std::string> events;
  std::string pendingText;
  int stopAfterStarts = -1;

  bool StartElement(const SaxName& name, const SaxAttributes& attributes) override {
    FlushText();
    std::string line = "start {" + std::string(name.uri) + "}" + name.QualifiedName();
    for (int i = 0; i < attributes.Count(); ++i) {
      const SaxAttribute attribute = attributes.At(i);
      line += " {" + std::string(attribute.name.uri) + "}" + attribute.name.QualifiedName() + "=" +
              std::string(attribute.value);
    }
    events.push_back(line);
    return stopAfterStarts < 0 || --stopAfterStarts > 0;
  }
  bool EndElement(const SaxName& name) override {
    FlushText();
    events.push_back("end " + std::string(name.localName));
    return true;
  }
  bool Characters(std::string_view text) override {
    pendingText.append(text);
    return true;
  }
  void FlushText() {
    if (!pendingText.empty()) events.push_back("text " + pendingText);
    pendingText.clear();
  }
};

SaxStatus ParseInPieces(SaxXmlReader& reader, std::string_view document, std::size_t pieceSize) {
  for (std::size_t at = 0; at < document.size(); at += pieceSize) {
    const SaxStatus status = reader.Feed(document.substr(at, pieceSize));
    if (status != SaxStatus::kOk) return status;
  }
  return reader.Finish();
}

constexpr std::string_view kDocument =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    "<s:Envelope xmlns:s=\"urn:env\" xmlns:x=\"urn:attr\">"
    "<Item xmlns=\"urn:svc\" x:nil=\"1\" plain=\"a&amp;b\">caf\xC3\xA9 &lt;&#x1F600;&gt;"
    "<![CDATA[<raw>]]></Item></s:Envelope>";

const std::vector<std::string> kExpectedEvents = {
    "start {urn:env}s:Envelope",
    "start {urn:svc}Item {urn:attr}x:nil=1 {}plain=a&b",
    "text caf\xC3\xA9 <\xF0\x9F\x98\x80><raw>",
    "end Item",
    "end Envelope",
};

TEST(SaxXmlReader, DeliversTheSameEventsWhateverTheBlockSize) {
  for (std::size_t pieceSize : {std::size_t{1}, std::size_t{7}, std::size_t{4096}}) {
    SCOPED_TRACE(pieceSize);
    RecordingHandler handler;
    SaxXmlReader reader;
    reader.SetContentHandler(&handler);
    ASSERT_EQ(ParseInPieces(reader, kDocument, pieceSize), SaxStatus::kOk);
    handler.FlushText();
    EXPECT_EQ(handler.events, kExpectedEvents);
  }
}

TEST(SaxXmlReader, FindsAnAttributeByNamespaceAndLocalName) {
  struct Finder : SaxContentHandler {
    std::optional<std::string> found;
    bool StartElement(const SaxName&, const SaxAttributes& attributes) override {
      if (auto value = attributes.Find("urn:attr", "nil")) found = std::string(*value);
      return true;
    }
    bool EndElement(const SaxName&) override { return true; }
    bool Characters(std::string_view) override { return true; }
  } handler;
  SaxXmlReader reader;
  reader.SetContentHandler(&handler);
  ASSERT_EQ(ParseInPieces(reader, kDocument, 4096), SaxStatus::kOk);
  EXPECT_EQ(handler.found, "1");
}

struct RejectedCase {
  const char* name;
  std::string_view document;
  SaxStatus expected;
};

TEST(SaxXmlReader, RejectsWhatAResponseMustNotCarry) {
  const RejectedCase cases[] = {
      {"internal subset with entity expansion",
       "<!DOCTYPE a [<!ENTITY x \"xxxxxxxx\"><!ENTITY y \"&x;&x;&x;&x;\">]><a>&y;</a>",
       SaxStatus::kDocumentTypeRejected},
      {"external entity", "<!DOCTYPE a [<!ENTITY e SYSTEM \"file:///etc/passwd\">]><a>&e;</a>",
       SaxStatus::kDocumentTypeRejected},
      {"external subset", "<!DOCTYPE a SYSTEM \"http://127.0.0.1:1/x.dtd\"><a/>",
       SaxStatus::kDocumentTypeRejected},
      {"undeclared entity", "<a>&e;</a>", SaxStatus::kMalformed},
      {"unbound prefix", "<p:a/>", SaxStatus::kMalformed},
      {"unclosed element", "<a><b></b>", SaxStatus::kMalformed},
      {"mismatched end", "<a></b>", SaxStatus::kMalformed},
      {"empty document", "", SaxStatus::kMalformed},
      {"two roots", "<a/><b/>", SaxStatus::kMalformed},
  };
  for (const RejectedCase& c : cases) {
    for (std::size_t pieceSize : {std::size_t{1}, std::size_t{4096}}) {
      SCOPED_TRACE(std::string(c.name) + " in pieces of " + std::to_string(pieceSize));
      RecordingHandler handler;
      SaxXmlReader reader;
      reader.SetContentHandler(&handler);
      EXPECT_EQ(ParseInPieces(reader, c.document, pieceSize), c.expected);
      handler.FlushText();
      for (const std::string& event : handler.events) {
        EXPECT_EQ(event.find("root:"), std::string::npos) << "external file content leaked";
        EXPECT_EQ(event.find("xxxx"), std::string::npos) << "entity was expanded";
      }
    }
  }
}

// A body whose bytes do not convert from the encoding it declares is a
// malformed document and nothing more: libxml2's encoding layer says so on
// standard error unless it is kept quiet.
TEST(SaxXmlReader, BytesOutsideTheDeclaredEncodingAreMalformedAndSilent) {
  const std::string document = "<?xml version=\"1.0\" encoding=\"windows-1252\"?><a>\x81\x81</a>";
  for (std::size_t pieceSize : {std::size_t{1}, std::size_t{4096}}) {
    SCOPED_TRACE(pieceSize);
    RecordingHandler handler;
    SaxXmlReader reader;
    reader.SetContentHandler(&handler);
    ::testing::internal::CaptureStderr();
    const SaxStatus status = ParseInPieces(reader, document, pieceSize);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(status, SaxStatus::kMalformed);
  }
}

TEST(SaxXmlReader, StopsAtOnceWhenTheHandlerRefuses) {
  RecordingHandler handler;
  handler.stopAfterStarts = 2;
  SaxXmlReader reader;
  reader.SetContentHandler(&handler);
  EXPECT_EQ(reader.Feed("<a><b><c/></b></a>"), SaxStatus::kStoppedByHandler);
  EXPECT_EQ(handler.events.size(), 2u);
}

TEST(SaxXmlReader, StartsAFreshDocumentAfterAFailure) {
  RecordingHandler handler;
  SaxXmlReader reader;
  reader.SetContentHandler(&handler);
  EXPECT_EQ(reader.Feed("<a></b>"), SaxStatus::kMalformed);
  handler.events.clear();
  EXPECT_EQ(ParseInPieces(reader, "<z/>", 4096), SaxStatus::kOk);
  EXPECT_EQ(handler.events, (std::vector<std::string>{"start {}z", "end z"}));
}

// Many distinct names of every length, more than the reader keeps lengths
// for, in two documents read one after the other: each tag still reports
// exactly its own name.
TEST(SaxXmlReader, ReportsEachNameWithItsOwnLengthAcrossDocuments) {
  RecordingHandler handler;
  SaxXmlReader reader;
  reader.SetContentHandler(&handler);
  for (const std::string stem : {"n", "other_name_"}) {
    std::string document = "<root>";
    std::vector<std::string> expected = {"start {}root"};
    for (int i = 0; i < 300; ++i) {
      const std::string name =
          stem + std::string(static_cast<std::size_t>(i % 13), 'x') + std::to_string(i);
      document += "<" + name + "><" + name + "_in/></" + name + ">";
      expected.insert(expected.end(), {"start {}" + name, "start {}" + name + "_in",
                                       "end " + name + "_in", "end " + name});
    }
    document += "</root>";
    expected.push_back("end root");
    for (std::size_t pieceSize : {std::size_t{1}, std::size_t{4096}}) {
      SCOPED_TRACE(stem + " in pieces of " + std::to_string(pieceSize));
      handler.events.clear();
      ASSERT_EQ(ParseInPieces(reader, document, pieceSize), SaxStatus::kOk);
      EXPECT_EQ(handler.events, expected);
    }
  }
}

TEST(SaxXmlReader, RequiresAHandler) {
  SaxXmlReader reader;
  EXPECT_EQ(reader.Feed("<a/>"), SaxStatus::kNoHandler);
}

}  // namespace
}  // namespace platform
