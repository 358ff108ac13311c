// The streaming XML reader on MSXML 3's SAXXMLReader30, run under Wine: the
// cases of platform/sax/SaxXmlReader_test.cpp, and a SOAP response fed in
// blocks that split a character and a tag. The Windows reader parses when
// Finish says the document is complete, so what the Linux reader reports
// from the Feed that meets a problem comes from Finish here.
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/com/ComInit.h"
#include "platform/sax/SaxXmlReader.h"
#include "tests/windows/Check.h"

namespace {

using platform::SaxAttributes;
using platform::SaxContentHandler;
using platform::SaxName;
using platform::SaxStatus;
using platform::SaxXmlReader;

// Writes every event as one line so a check can compare the whole sequence.
class RecordingHandler : public SaxContentHandler {
 public:
  std::vector<std::string> events;
  std::string pendingText;
  int stopAfterStarts = -1;
  bool throwOnText = false;

  bool StartElement(const SaxName& name, const SaxAttributes& attributes) override {
    FlushText();
    std::string line = "start {" + std::string(name.uri) + "}" + name.QualifiedName();
    for (int i = 0; i < attributes.Count(); ++i) {
      const platform::SaxAttribute attribute = attributes.At(i);
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
    if (throwOnText) throw std::runtime_error("handler failed");
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

SaxStatus ParseAtCuts(SaxXmlReader& reader, std::string_view document,
                      const std::vector<std::size_t>& cuts) {
  std::size_t from = 0;
  for (const std::size_t cut : cuts) {
    const SaxStatus status = reader.Feed(document.substr(from, cut - from));
    if (status != SaxStatus::kOk) return status;
    from = cut;
  }
  const SaxStatus status = reader.Feed(document.substr(from));
  if (status != SaxStatus::kOk) return status;
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

WINDOWS_CASE(DeliversTheSameEventsWhateverTheBlockSize) {
  const platform::ScopedComInit com;
  for (std::size_t pieceSize : {std::size_t{1}, std::size_t{7}, std::size_t{4096}}) {
    RecordingHandler handler;
    SaxXmlReader reader;
    reader.SetContentHandler(&handler);
    CHECK_EQ(ParseInPieces(reader, kDocument, pieceSize), SaxStatus::kOk);
    handler.FlushText();
    CHECK_TRUE(handler.events == kExpectedEvents);
  }
}

WINDOWS_CASE(ReadsASoapResponseSplitInsideACharacterAndInsideATag) {
  const platform::ScopedComInit com;
  const std::string response =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
      "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
      "<soap:Body><GetAdsResponse xmlns=\"http://vimaru.test/ads\">"
      "<GetAdsResult><Ad id=\"7\" xsi:type=\"Banner\"><Title>Caf\xC3\xA9 \xE2\x82\xAC 5</Title>"
      "<Url>http://127.0.0.1/?a=1&amp;b=2</Url></Ad><Ad id=\"8\" xsi:nil=\"true\"/>"
      "</GetAdsResult></GetAdsResponse></soap:Body></soap:Envelope>";
  const std::size_t inCharacter = response.find("\xC3\xA9") + 1;
  const std::size_t inEuro = response.find("\xE2\x82\xAC") + 2;
  const std::size_t inTag = response.find("<GetAdsResult>") + 5;
  const std::size_t inAttribute = response.find("xsi:nil") + 3;
  CHECK_TRUE(inTag < inCharacter && inCharacter < inEuro && inEuro < inAttribute);

  RecordingHandler handler;
  SaxXmlReader reader;
  reader.SetContentHandler(&handler);
  CHECK_EQ(ParseAtCuts(reader, response, {inTag, inCharacter, inEuro, inAttribute}),
           SaxStatus::kOk);
  const std::string soap = "{http://schemas.xmlsoap.org/soap/envelope/}soap:";
  const std::string ads = "{http://vimaru.test/ads}";
  const std::string xsi = "{http://www.w3.org/2001/XMLSchema-instance}xsi:";
  const std::vector<std::string> expected = {
      "start " + soap + "Envelope",
      "start " + soap + "Body",
      "start " + ads + "GetAdsResponse",
      "start " + ads + "GetAdsResult",
      "start " + ads + "Ad {}id=7 " + xsi + "type=Banner",
      "start " + ads + "Title",
      "text Caf\xC3\xA9 \xE2\x82\xAC 5",
      "end Title",
      "start " + ads + "Url",
      "text http://127.0.0.1/?a=1&b=2",
      "end Url",
      "end Ad",
      "start " + ads + "Ad {}id=8 " + xsi + "nil=true",
      "end Ad",
      "end GetAdsResult",
      "end GetAdsResponse",
      "end Body",
      "end Envelope",
  };
  CHECK_TRUE(handler.events == expected);
}

WINDOWS_CASE(FindsAnAttributeByNamespaceAndLocalName) {
  const platform::ScopedComInit com;
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
  CHECK_EQ(ParseInPieces(reader, kDocument, 4096), SaxStatus::kOk);
  CHECK_EQ(handler.found, std::optional<std::string>("1"));
}

WINDOWS_CASE(ReadsTheEncodingTheDocumentDeclares) {
  const platform::ScopedComInit com;
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("<?xml version=\"1.0\" encoding=\"UTF-16\"?><a b=\"\xE9\">\xE9</a>")) {
    utf16 += {c, '\0'};
  }
  const std::string documents[] = {
      "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><a b=\"\xE9\">\xE9</a>",
      "\xEF\xBB\xBF<a b=\"\xC3\xA9\">\xC3\xA9</a>",
      "<a b=\"&#233;\">&#xE9;</a>",
      utf16,
  };
  for (const std::string& document : documents) {
    RecordingHandler handler;
    SaxXmlReader reader;
    reader.SetContentHandler(&handler);
    CHECK_EQ(ParseInPieces(reader, document, 3), SaxStatus::kOk);
    CHECK_TRUE(handler.events ==
               (std::vector<std::string>{"start {}a {}b=\xC3\xA9", "text \xC3\xA9", "end a"}));
  }
}

WINDOWS_CASE(DecodesThePredefinedEntities) {
  const platform::ScopedComInit com;
  RecordingHandler handler;
  SaxXmlReader reader;
  reader.SetContentHandler(&handler);
  CHECK_EQ(ParseInPieces(reader, "<a v=\"&quot;&apos;\">&lt;&gt;&amp;&quot;&apos;</a>", 2),
           SaxStatus::kOk);
  CHECK_TRUE(handler.events ==
             (std::vector<std::string>{"start {}a {}v=\"'", "text <>&\"'", "end a"}));
}

struct RejectedCase {
  const char* name;
  std::string_view document;
  SaxStatus expected;
};

WINDOWS_CASE(RejectsWhatAResponseMustNotCarry) {
  const platform::ScopedComInit com;
  const RejectedCase cases[] = {
      {"internal subset with entity expansion",
       "<!DOCTYPE a [<!ENTITY x \"xxxxxxxx\"><!ENTITY y \"&x;&x;&x;&x;\">]><a>&y;</a>",
       SaxStatus::kDocumentTypeRejected},
      {"external entity", "<!DOCTYPE a [<!ENTITY e SYSTEM \"file:///etc/passwd\">]><a>&e;</a>",
       SaxStatus::kDocumentTypeRejected},
      {"external subset", "<!DOCTYPE a SYSTEM \"http://127.0.0.1:1/x.dtd\"><a/>",
       SaxStatus::kDocumentTypeRejected},
      {"behind a declaration and a comment", "<?xml version=\"1.0\"?><!-- c --><!DOCTYPE a><a/>",
       SaxStatus::kDocumentTypeRejected},
      {"undeclared entity", "<a>&e;</a>", SaxStatus::kMalformed},
      {"unbound prefix", "<p:a/>", SaxStatus::kMalformed},
      {"unclosed element", "<a><b></b>", SaxStatus::kMalformed},
      {"mismatched end", "<a></b>", SaxStatus::kMalformed},
      {"empty document", "", SaxStatus::kMalformed},
      {"two roots", "<a/><b/>", SaxStatus::kMalformed},
      {"EBCDIC", "\x4C\x6F\xA7\x94\x93\x40", SaxStatus::kMalformed},
  };
  for (const RejectedCase& c : cases) {
    for (std::size_t pieceSize : {std::size_t{1}, std::size_t{4096}}) {
      RecordingHandler handler;
      SaxXmlReader reader;
      reader.SetContentHandler(&handler);
      const SaxStatus status = ParseInPieces(reader, c.document, pieceSize);
      EXPECT_THAT_(status == c.expected, c.name);
      handler.FlushText();
      for (const std::string& event : handler.events) {
        CHECK_TRUE(event.find("root:") == std::string::npos);
        CHECK_TRUE(event.find("xxxx") == std::string::npos);
      }
    }
  }
}

WINDOWS_CASE(StopsAtOnceWhenTheHandlerRefuses) {
  const platform::ScopedComInit com;
  RecordingHandler handler;
  handler.stopAfterStarts = 2;
  SaxXmlReader reader;
  reader.SetContentHandler(&handler);
  CHECK_EQ(reader.Feed("<a><b><c/></b></a>"), SaxStatus::kOk);
  CHECK_EQ(reader.Finish(), SaxStatus::kStoppedByHandler);
  CHECK_EQ(handler.events.size(), std::size_t{2});
}

WINDOWS_CASE(AnExceptionFromTheHandlerReachesTheCallerAndTheReaderGoesOn) {
  const platform::ScopedComInit com;
  RecordingHandler handler;
  handler.throwOnText = true;
  SaxXmlReader reader;
  reader.SetContentHandler(&handler);
  CHECK_EQ(reader.Feed("<a>text<b/></a>"), SaxStatus::kOk);
  bool thrown = false;
  try {
    reader.Finish();
  } catch (const std::runtime_error&) {
    thrown = true;
  }
  CHECK_TRUE(thrown);
  CHECK_TRUE(handler.events == (std::vector<std::string>{"start {}a"}));
  handler.throwOnText = false;
  handler.events.clear();
  CHECK_EQ(ParseInPieces(reader, "<z/>", 4096), SaxStatus::kOk);
  CHECK_TRUE(handler.events == (std::vector<std::string>{"start {}z", "end z"}));
}

WINDOWS_CASE(StartsAFreshDocumentAfterAFailureOrAnAbandon) {
  const platform::ScopedComInit com;
  RecordingHandler handler;
  SaxXmlReader reader;
  reader.SetContentHandler(&handler);
  CHECK_EQ(reader.Feed("<a></b>"), SaxStatus::kOk);
  CHECK_EQ(reader.Finish(), SaxStatus::kMalformed);
  handler.events.clear();
  CHECK_EQ(ParseInPieces(reader, "<z/>", 4096), SaxStatus::kOk);
  CHECK_TRUE(handler.events == (std::vector<std::string>{"start {}z", "end z"}));

  handler.events.clear();
  CHECK_EQ(reader.Feed("<truncated><by"), SaxStatus::kOk);
  reader.Abandon();
  CHECK_EQ(ParseInPieces(reader, "<y/>", 4096), SaxStatus::kOk);
  CHECK_TRUE(handler.events == (std::vector<std::string>{"start {}y", "end y"}));
}

// Many distinct names of every length in two documents read one after the
// other: each tag still reports exactly its own name.
WINDOWS_CASE(ReportsEachNameWithItsOwnLengthAcrossDocuments) {
  const platform::ScopedComInit com;
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
    handler.events.clear();
    CHECK_EQ(ParseInPieces(reader, document, 4096), SaxStatus::kOk);
    CHECK_TRUE(handler.events == expected);
  }
}

WINDOWS_CASE(RequiresAHandler) {
  const platform::ScopedComInit com;
  SaxXmlReader reader;
  CHECK_EQ(reader.Feed("<a/>"), SaxStatus::kNoHandler);
  CHECK_EQ(reader.Finish(), SaxStatus::kNoHandler);
}

}  // namespace
