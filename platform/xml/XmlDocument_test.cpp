#include "platform/xml/XmlDocument.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <filesystem>
#include <fstream>

#include "platform/files/FileSystem.h"
#include "platform/resources/ModuleResources.h"
#include "platform/xml/XmlErrorCapture.h"

namespace platform {
namespace {

constexpr const char* kNamespaces =
    "xmlns:toolband='http://toolband.test/toolband' xmlns:ms='urn:schemas-microsoft-com:xslt'";

constexpr const char* kLayout =
    "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n"
    "<toolband xmlns=\"http://toolband.test/toolband\" name=\"Vimaru\" company=\"Vimaru Group "
    "Inc\">\n"
    "  <menu image=\"215\" mixed-button=\"no\"><button caption=\"Help\" "
    "command=\"VimaruIEToolbar.Help\"/></menu>\n"
    "  <!-- a comment is not a child element -->\n"
    "  <button command=\"VimaruIEToolbar.QX\" image=\"216\" caption=\"Caf\xE9\"/>\n"
    "  <separator/>\n"
    "  <combo-box command=\"VimaruIEToolbar.Search\" width=\"150\">text</combo-box>\n"
    "</toolband>\n";

std::shared_ptr<XmlDocument> NewDocument() {
  auto document = XmlDocument::Create();
  document->SetAsync(false);
  document->SetValidateOnParse(false);
  document->SetResolveExternals(false);
  EXPECT_TRUE(document->SetProperty("SelectionLanguage", "XPath"));
  EXPECT_TRUE(document->SetProperty("SelectionNamespaces", kNamespaces));
  return document;
}

std::vector<std::string> NamesOf(const std::vector<XmlElement>& elements) {
  std::vector<std::string> names;
  for (const auto& element : elements) names.push_back(element.Name());
  return names;
}

TEST(XmlDocument, SelectsTheNamespacedRootAndItsChildrenInOrder) {
  auto document = NewDocument();
  ASSERT_EQ(document->LoadBytes(kLayout), XmlLoadResult::kOk);
  const auto root = document->SelectSingleNode("/toolband:toolband");
  ASSERT_TRUE(root.has_value());
  EXPECT_EQ(root->Name(), "toolband");
  EXPECT_EQ(root->Attribute("name"), "Vimaru");
  EXPECT_EQ(root->Attribute("company"), "Vimaru Group Inc");

  const std::vector<std::string> expected = {"menu", "button", "separator", "combo-box"};
  EXPECT_EQ(NamesOf(root->SelectNodes("child::*")), expected);
  EXPECT_EQ(NamesOf(root->ChildElements()), expected);

  const auto menu = root->ChildElements().front();
  ASSERT_EQ(menu.ChildElements().size(), 1u);
  EXPECT_EQ(menu.ChildElements()[0].Attribute("caption"), "Help");
  EXPECT_EQ(root->ChildElements()[3].Text(), "text");
  EXPECT_EQ(document->DocumentElement(), root);
}

TEST(XmlDocument, OtherNamespacesDoNotMatch) {
  const char* const documents[] = {
      "<toolband xmlns=\"http://other.test/toolband\"><button/></toolband>",
      "<toolband><button/></toolband>",
      "<t:toolband xmlns:t=\"http://toolband.test/toolband/\"/>",
  };
  for (const char* text : documents) {
    auto document = NewDocument();
    ASSERT_EQ(document->LoadBytes(text), XmlLoadResult::kOk) << text;
    EXPECT_FALSE(document->SelectSingleNode("/toolband:toolband").has_value()) << text;
  }
}

TEST(XmlDocument, PrefixedNamesComeBackAsWritten) {
  auto document = NewDocument();
  ASSERT_EQ(
      document->LoadBytes("<tb:toolband xmlns:tb=\"http://toolband.test/toolband\" tb:x=\"1\"/>"),
      XmlLoadResult::kOk);
  const auto root = document->SelectSingleNode("/toolband:toolband");
  ASSERT_TRUE(root.has_value());
  EXPECT_EQ(root->Name(), "tb:toolband");
  EXPECT_EQ(root->Attribute("tb:x"), "1");
  EXPECT_FALSE(root->GetAttribute("x").has_value());
}

TEST(XmlDocument, MissingAttributesReadAsEmpty) {
  auto document = NewDocument();
  ASSERT_EQ(document->LoadBytes("<a b=\"\"/>"), XmlLoadResult::kOk);
  const auto root = document->DocumentElement();
  EXPECT_EQ(root->GetAttribute("b"), "");
  EXPECT_FALSE(root->GetAttribute("c").has_value());
  EXPECT_EQ(root->Attribute("c"), "");
}

TEST(XmlDocument, SelectionReturnsOnlyElementsAndToleratesBadExpressions) {
  auto document = NewDocument();
  ASSERT_EQ(document->LoadBytes(kLayout), XmlLoadResult::kOk);
  EXPECT_EQ(document->SelectNodes("//toolband:button").size(), 2u);
  EXPECT_TRUE(document->SelectNodes("//@command").empty());
  EXPECT_TRUE(document->SelectNodes("count(//*)").empty());
  EXPECT_TRUE(document->SelectNodes("/toolband:toolband[").empty());
  EXPECT_TRUE(document->SelectNodes("/unbound:toolband").empty());
  EXPECT_TRUE(document->SelectNodes("/toolband").empty());
}

TEST(XmlDocument, Settings) {
  auto document = XmlDocument::Create();
  EXPECT_TRUE(document->SetProperty("SelectionLanguage", "XPath"));
  EXPECT_FALSE(document->SetProperty("SelectionLanguage", "XSLPattern"));
  EXPECT_FALSE(document->SetProperty("ProhibitDTD", "false"));
  document->SetAsync(true);
  EXPECT_TRUE(document->Async());
  ASSERT_EQ(document->LoadBytes("<a/>"), XmlLoadResult::kOk);
  EXPECT_TRUE(document->IsLoaded());
}

TEST(XmlDocument, LoadFailuresLeaveTheDocumentEmpty) {
  ScopedFileSystemRoot root;
  ASSERT_TRUE(WriteWholeFile("C:\\garbage.xml", std::string("\x00\xFF\xFEgarbage<<", 12)));
  auto document = NewDocument();
  ASSERT_EQ(document->LoadBytes("<a/>"), XmlLoadResult::kOk);

  constexpr std::string_view kNoFile = "the file does not exist or cannot be read";
  constexpr std::string_view kNoPath = "the location is not a file path";
  struct Case {
    const char* location;
    XmlLoadResult expected;
    std::string_view reason;  // for a parse error, only its start
  };
  const Case cases[] = {
      {"C:\\missing.xml", XmlLoadResult::kNotFound, kNoFile},
      {"file:///C:/missing.xml", XmlLoadResult::kNotFound, kNoFile},
      {"C:\\Users", XmlLoadResult::kNotFound, kNoFile},
      {"relative.xml", XmlLoadResult::kNotFound, kNoPath},
      {"", XmlLoadResult::kNotFound, kNoPath},
      {"res://C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll/NONE.XML",
       XmlLoadResult::kNotFound, "the module has no such resource"},
      {"http://127.0.0.1:1/layout.xml", XmlLoadResult::kUnsupportedScheme,
       "the scheme 'http' is not supported"},
      {"FTP://host/layout.xml", XmlLoadResult::kUnsupportedScheme,
       "the scheme 'FTP' is not supported"},
      {"C:\\garbage.xml", XmlLoadResult::kParseError, "Document is empty"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(document->Load(c.location), c.expected) << c.location;
    EXPECT_EQ(document->ParseError().reason.substr(0, c.reason.size()), c.reason) << c.location;
    if (c.expected != XmlLoadResult::kParseError) {
      EXPECT_EQ(document->ParseError().line, 0) << c.location;
    }
    EXPECT_FALSE(document->IsLoaded()) << c.location;
    EXPECT_FALSE(document->DocumentElement().has_value());
    EXPECT_FALSE(document->Save().has_value());
  }
  ASSERT_EQ(document->LoadBytes("<a/>"), XmlLoadResult::kOk);
  EXPECT_EQ(document->ParseError().reason, "");
}

// Where a document breaks, as the parser saw it; and nothing libxml2 says
// on the way reaches standard error, not even the encoding layer's reports,
// which bypass the parser's own options.
TEST(XmlDocument, ParseErrorsSayWhereAndStaySilent) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string reason;
    int line;
  };
  const Case cases[] = {
      {"mismatched tags", "<?xml version=\"1.0\"?>\n<a>\n<b>\n</a>",
       "Opening and ending tag mismatch: b line 3 and a", 4},
      {"undeclared prefix", "<a>\n  <p:b/>\n</a>", "Namespace prefix p on b is not defined", 2},
      {"bytes the declared encoding lacks",
       "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<a>\n<b c=\"\x81\x81\"/></a>",
       "input conversion failed due to input error, bytes 0x81 0x81 0x22 0x2F", 3},
  };
  for (const Case& c : cases) {
    auto document = NewDocument();
    ::testing::internal::CaptureStderr();
    const XmlLoadResult result = document->LoadBytes(c.bytes);
    const std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(result, XmlLoadResult::kParseError) << c.name;
    EXPECT_EQ(document->ParseError().reason, c.reason) << c.name;
    EXPECT_EQ(document->ParseError().line, c.line) << c.name;
    // Where in the line libxml2 stops is its own business.
    EXPECT_GT(document->ParseError().column, 0) << c.name;
    EXPECT_EQ(printed, "") << c.name;
  }
}

// A handler the thread had before (a host process's own use of libxml2) is
// back in place after a load, and saw nothing of the document's errors.
TEST(XmlDocument, LoadingGivesBackTheThreadsErrorHandler) {
  int reports = 0;
  xmlSetStructuredErrorFunc(&reports,
                            [](void* count, xml_detail::ScopedXmlErrorCapture::ReportedError) {
                              ++*static_cast<int*>(count);
                            });
  auto document = NewDocument();
  EXPECT_EQ(document->LoadBytes("<a></b>"), XmlLoadResult::kParseError);
  EXPECT_EQ(reports, 0);
  xmlFreeDoc(xmlReadMemory("<a", 2, nullptr, nullptr, XML_PARSE_NONET));
  EXPECT_GT(reports, 0);
  xmlSetStructuredErrorFunc(nullptr, nullptr);
}

TEST(XmlDocument, MalformedBytesAreParseErrors) {
  const char* const inputs[] = {"",
                                "   ",
                                "<a>",
                                "<a></b>",
                                "<a/><b/>",
                                "text",
                                "<a x=\"1\" x=\"2\"/>",
                                "<?xml version=\"1.0\" encoding=\"no-such-encoding\"?><a/>",
                                "<a xmlns:p=\"u\"><q:b/></a>"};
  for (const char* input : inputs) {
    auto document = NewDocument();
    EXPECT_EQ(document->LoadBytes(input), XmlLoadResult::kParseError) << input;
  }
}

TEST(XmlDocument, LoadsFromPathsFileUrlsAndResUrls) {
  ScopedFileSystemRoot root;
  ScopedModuleResources resources({{"HTML", "TOOLBANDLAYOUT.XML", 0, kLayout}});
  ASSERT_TRUE(MakeDirectories("C:\\Program Files\\Layout Dir"));
  ASSERT_TRUE(WriteWholeFile("C:\\Program Files\\Layout Dir\\layout.xml", kLayout));
  const char* const locations[] = {
      "C:\\Program Files\\Layout Dir\\layout.xml",
      "file:///C:/Program%20Files/Layout%20Dir/layout.xml",
      "file://c:\\program files\\layout dir\\LAYOUT.XML",
      "res://C:\\Program Files\\Vimaru Group "
      "Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll/ToolBandLayout.xml",
  };
  for (const char* location : locations) {
    auto document = NewDocument();
    ASSERT_EQ(document->Load(location), XmlLoadResult::kOk) << location;
    const auto toolband = document->SelectSingleNode("/toolband:toolband");
    ASSERT_TRUE(toolband.has_value()) << location;
    EXPECT_EQ(toolband->Attribute("name"), "Vimaru");
  }
}

TEST(XmlDocument, IsoLatinTextRoundTripsThroughAnsi) {
  auto document = NewDocument();
  ASSERT_EQ(document->LoadBytes(kLayout), XmlLoadResult::kOk);
  auto button = document->SelectSingleNode("/toolband:toolband/toolband:button");
  ASSERT_TRUE(button.has_value());
  EXPECT_EQ(button->Attribute("caption"), "Caf\xE9");

  // The euro sign is in Windows-1252 but not in iso-8859-1: it must survive
  // as a character reference rather than turn into '?'.
  button->SetAttribute("caption", "5 \x80 & <more> \"quoted\"");
  button->SetAttribute("disabled", "1");
  const auto saved = document->Save();
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->rfind("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>", 0), 0u) << *saved;
  EXPECT_NE(saved->find("&#8364;"), std::string::npos) << *saved;
  EXPECT_NE(saved->find("Help"), std::string::npos);

  auto reloaded = NewDocument();
  ASSERT_EQ(reloaded->LoadBytes(*saved), XmlLoadResult::kOk);
  const auto again = reloaded->SelectSingleNode("/toolband:toolband/toolband:button");
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->Attribute("caption"), "5 \x80 & <more> \"quoted\"");
  EXPECT_EQ(again->Attribute("disabled"), "1");
  EXPECT_EQ(reloaded->SelectSingleNode("/toolband:toolband/toolband:menu/toolband:button")
                ->Attribute("caption"),
            "Help");
}

TEST(XmlDocument, LatinOneBytesAreSavedAsTheyCame) {
  auto document = NewDocument();
  ASSERT_EQ(document->LoadBytes(kLayout), XmlLoadResult::kOk);
  const auto saved = document->Save();
  ASSERT_TRUE(saved.has_value());
  EXPECT_NE(saved->find("caption=\"Caf\xE9\""), std::string::npos) << *saved;
}

TEST(XmlDocument, SavesToAMappedFile) {
  ScopedFileSystemRoot root;
  auto document = NewDocument();
  ASSERT_EQ(document->LoadBytes("<a x=\"1\"/>"), XmlLoadResult::kOk);
  ASSERT_TRUE(document->SaveToFile(TempDirectoryPath() + "tmp00000.1.xml"));
  EXPECT_EQ(ReadWholeFile(TempDirectoryPath() + "tmp00000.1.xml"), document->Save());
  EXPECT_FALSE(document->SaveToFile("C:\\NoSuchDir\\x.xml"));
  EXPECT_FALSE(XmlDocument::Create()->SaveToFile(TempDirectoryPath() + "empty.xml"));
}

TEST(XmlDocument, ElementsKeepTheirTreeAlive) {
  auto document = NewDocument();
  ASSERT_EQ(document->LoadBytes(kLayout), XmlLoadResult::kOk);
  auto button = document->SelectSingleNode("/toolband:toolband/toolband:button");
  ASSERT_TRUE(button.has_value());

  ASSERT_EQ(document->LoadBytes("<other/>"), XmlLoadResult::kOk);
  EXPECT_EQ(button->Attribute("command"), "VimaruIEToolbar.QX");

  document.reset();
  EXPECT_EQ(button->Attribute("image"), "216");
  button->SetAttribute("disabled", "1");
  EXPECT_EQ(button->Attribute("disabled"), "1");
  EXPECT_TRUE(button->SelectNodes("child::*").empty());
  EXPECT_EQ(button->OwnerDocument()->DocumentElement()->Name(), "other");
}

// A secret beside the document, named by every external door XML has:
// an external general entity, an external parameter entity, and an
// external DTD subset that would add a defaulted attribute.
TEST(XmlDocument, NeverReadsExternalEntitiesOrDtds) {
  ScopedFileSystemRoot root;
  ASSERT_TRUE(WriteWholeFile("C:\\secret.txt", "TOPSECRET"));
  ASSERT_TRUE(WriteWholeFile("C:\\evil.dtd", "<!ATTLIST a leak CDATA \"TOPSECRET\">"));
  const std::string secretHost = *ToHostPath("C:\\secret.txt");
  const std::string dtdHost = *ToHostPath("C:\\evil.dtd");

  const std::string documents[] = {
      "<!DOCTYPE a [<!ENTITY s SYSTEM \"" + secretHost + "\">]><a>&s;</a>",
      "<!DOCTYPE a [<!ENTITY s SYSTEM \"file://" + secretHost + "\">]><a>&s;</a>",
      "<!DOCTYPE a [<!ENTITY s SYSTEM \"file:///C:/secret.txt\">]><a>&s;</a>",
      "<!DOCTYPE a [<!ENTITY % p SYSTEM \"" + dtdHost + "\"> %p;]><a/>",
      "<!DOCTYPE a SYSTEM \"" + dtdHost + "\"><a/>",
  };
  int loaded = 0;
  for (const auto& text : documents) {
    auto document = NewDocument();
    if (document->LoadBytes(text) != XmlLoadResult::kOk) continue;
    ++loaded;
    const auto element = document->DocumentElement();
    ASSERT_TRUE(element.has_value());
    EXPECT_EQ(element->Text().find("TOPSECRET"), std::string::npos) << text;
    EXPECT_FALSE(element->GetAttribute("leak").has_value()) << text;
    EXPECT_EQ(document->Save()->find("TOPSECRET"), std::string::npos) << text;
  }
  // Refusing to parse would pass trivially; these are well-formed and load.
  EXPECT_EQ(loaded, 5);
}

TEST(XmlDocument, EntityExpansionBombsDoNotBlowUp) {
  std::string bomb = "<!DOCTYPE a [<!ENTITY e0 \"lollollollollollollollollollol\">";
  for (int i = 1; i <= 9; ++i) {
    bomb += "<!ENTITY e" + std::to_string(i) + " \"";
    for (int j = 0; j < 10; ++j) bomb += "&e" + std::to_string(i - 1) + ";";
    bomb += "\">";
  }
  bomb += "]><a x=\"&e9;\">&e9;</a>";
  auto document = NewDocument();
  if (document->LoadBytes(bomb) == XmlLoadResult::kOk) {
    EXPECT_LT(document->DocumentElement()->Text().size(), 1000000u);
  }
}

}  // namespace
}  // namespace platform
