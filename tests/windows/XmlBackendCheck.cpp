// The XML document backend on MSXML 3, run under Wine: the cases of
// platform/xml/XmlDocument_test.cpp that hold on both systems, with the
// shipped layout document read from the source tree. The program needs
// VIMARU_SOURCE_DIR, the tree's Unix path, which Wine passes through and
// maps under drive Z:. Its own resources (XmlBackendCheck.rc) carry the
// layout too, for the res: protocol.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/ComInit.h"
#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"
#include "platform/xml/XmlDocument.h"
#include "tests/windows/Check.h"

namespace {

using platform::XmlDocument;
using platform::XmlElement;
using platform::XmlLoadResult;

constexpr const char* kNamespaces =
    "xmlns:toolband='http://toolband.test/toolband' xmlns:ms='urn:schemas-microsoft-com:xslt'";
constexpr const char* kShippedNamespaces =
    "xmlns:toolband='http://www.vimaru.com/toolband' xmlns:ms='urn:schemas-microsoft-com:xslt'";

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

std::shared_ptr<XmlDocument> NewDocument(const char* namespaces = kNamespaces) {
  auto document = XmlDocument::Create();
  document->SetAsync(false);
  document->SetValidateOnParse(false);
  document->SetResolveExternals(false);
  CHECK_TRUE(document->SetProperty("SelectionLanguage", "XPath"));
  CHECK_TRUE(document->SetProperty("SelectionNamespaces", namespaces));
  return document;
}

std::vector<std::string> NamesOf(const std::vector<XmlElement>& elements) {
  std::vector<std::string> names;
  for (const auto& element : elements) names.push_back(element.Name());
  return names;
}

std::string AnsiPathOf(const std::wstring& path) {
  return platform::WideToAnsi(platform::AsChar16(path.c_str()));
}

// A file in the temporary directory, gone with the object.
class TempFile {
 public:
  TempFile() {
    wchar_t directory[MAX_PATH];
    wchar_t name[MAX_PATH];
    if (GetTempPathW(MAX_PATH, directory) != 0 && GetTempFileNameW(directory, L"vxc", 0, name)) {
      path_ = name;
    }
  }
  ~TempFile() {
    if (!path_.empty()) DeleteFileW(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  std::string Path() const { return AnsiPathOf(path_); }
  bool Write(const std::string& bytes) const {
    std::ofstream out(std::filesystem::path(path_), std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
  }
  std::string Read() const {
    std::ifstream in(std::filesystem::path(path_), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  std::wstring path_;
};

// The shipped layout's path under Z:, from the source tree's Unix path.
std::wstring ShippedLayoutPath() {
  wchar_t unixPath[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"VIMARU_SOURCE_DIR", unixPath, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::wstring path = L"Z:" + std::wstring(unixPath, length) + L"/resources/ToolBandLayout.xml";
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

std::string ThisProgramPath() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return AnsiPathOf(std::wstring(path, length));
}

void CheckShippedLayout(XmlDocument& document) {
  const auto root = document.SelectSingleNode("/toolband:toolband");
  CHECK_TRUE(root.has_value());
  if (!root) return;
  CHECK_EQ(root->Name(), std::string("toolband"));
  CHECK_EQ(root->Attribute("name"), std::string("VimaruIEToolbar"));
  CHECK_EQ(root->Attribute("company"), std::string("Vimaru Group Inc"));
  const std::vector<XmlElement> children = root->SelectNodes("child::*");
  CHECK_EQ(children.size(), std::size_t{14});
  CHECK_TRUE(NamesOf(children) == NamesOf(root->ChildElements()));
  CHECK_TRUE(children == root->ChildElements());
  CHECK_TRUE(document.DocumentElement() == root);
  if (children.size() != 14) return;
  CHECK_EQ(children.front().Name(), std::string("menu"));
  CHECK_EQ(children.front().ChildElements().size(), std::size_t{8});
  CHECK_EQ(children.back().Attribute("command"), std::string("VimaruIEToolbar.Register"));
}

WINDOWS_CASE(ShippedLayoutLoadsFromAPathAFileUrlAndACopy) {
  const platform::ScopedComInit com;
  const std::wstring shipped = ShippedLayoutPath();
  CHECK_TRUE(!shipped.empty());
  std::ifstream in(std::filesystem::path(shipped), std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  CHECK_TRUE(bytes.starts_with("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>"));

  const TempFile copy;
  CHECK_TRUE(copy.Write(bytes));
  std::string url = "file:///" + copy.Path();
  for (char& c : url) {
    if (c == '\\') c = '/';
  }
  for (const std::string& location : {AnsiPathOf(shipped), copy.Path(), url}) {
    auto document = NewDocument(kShippedNamespaces);
    CHECK_EQ(document->Load(location), XmlLoadResult::kOk);
    CHECK_EQ(document->ParseError().reason, std::string());
    CheckShippedLayout(*document);
  }
}

WINDOWS_CASE(ShippedLayoutLoadsFromTheModulesResources) {
  const platform::ScopedComInit com;
  auto document = NewDocument(kShippedNamespaces);
  CHECK_EQ(document->Load("res://" + ThisProgramPath() + "/ToolBandLayout.xml"),
           XmlLoadResult::kOk);
  CheckShippedLayout(*document);
  CHECK_EQ(document->Load("res://" + ThisProgramPath() + "/HTML/TOOLBANDLAYOUT.XML"),
           XmlLoadResult::kOk);
  CHECK_EQ(document->Load("res://" + ThisProgramPath() + "/23/toolbandlayout.xml"),
           XmlLoadResult::kOk);
  // The module path as the browser may write it: escaped, with forward
  // slashes, the scheme in capitals.
  std::string escaped;
  std::string slashed;
  for (char c : ThisProgramPath()) {
    escaped += c == '\\' ? std::string("%5C") : std::string(1, c);
    slashed += c == '\\' ? '/' : c;
  }
  for (const std::string& location : {"res://" + escaped + "/ToolBandLayout.xml",
                                      "RES://" + slashed + "/HTML/ToolBandLayout.xml"}) {
    CHECK_EQ(NewDocument(kShippedNamespaces)->Load(location), XmlLoadResult::kOk);
  }
  for (const std::string& location : {"res:" + ThisProgramPath() + "/ToolBandLayout.xml",
                                      "res://" + ThisProgramPath() + "/HTML/x/ToolBandLayout.xml",
                                      "res://" + ThisProgramPath() + "/2/ToolBandLayout.xml"}) {
    CHECK_EQ(NewDocument(kShippedNamespaces)->Load(location), XmlLoadResult::kNotFound);
  }
}

WINDOWS_CASE(SelectsTheNamespacedRootAndItsChildrenInOrder) {
  const platform::ScopedComInit com;
  auto document = NewDocument();
  CHECK_EQ(document->LoadBytes(kLayout), XmlLoadResult::kOk);
  const auto root = document->SelectSingleNode("/toolband:toolband");
  CHECK_TRUE(root.has_value());
  if (!root) return;
  CHECK_EQ(root->Name(), std::string("toolband"));
  CHECK_EQ(root->Attribute("name"), std::string("Vimaru"));
  const std::vector<std::string> expected = {"menu", "button", "separator", "combo-box"};
  CHECK_TRUE(NamesOf(root->SelectNodes("child::*")) == expected);
  CHECK_TRUE(NamesOf(root->ChildElements()) == expected);
  const auto menu = root->ChildElements().front();
  CHECK_EQ(menu.ChildElements().size(), std::size_t{1});
  CHECK_EQ(menu.SelectSingleNode("toolband:button")->Attribute("caption"), std::string("Help"));
  CHECK_EQ(root->ChildElements()[3].Text(), std::string("text"));
  CHECK_EQ(root->ChildElements()[1].Attribute("caption"), std::string("Caf\xE9"));
  CHECK_TRUE(document->DocumentElement() == root);
  CHECK_TRUE(!(root->ChildElements()[0] == root->ChildElements()[1]));
}

WINDOWS_CASE(SelectionReturnsOnlyElementsAndToleratesBadExpressions) {
  const platform::ScopedComInit com;
  auto document = NewDocument();
  CHECK_EQ(document->LoadBytes(kLayout), XmlLoadResult::kOk);
  CHECK_EQ(document->SelectNodes("//toolband:button").size(), std::size_t{2});
  CHECK_TRUE(document->SelectNodes("//@command").empty());
  CHECK_TRUE(document->SelectNodes("count(//*)").empty());
  CHECK_TRUE(document->SelectNodes("/toolband:toolband[").empty());
  CHECK_TRUE(document->SelectNodes("/unbound:toolband").empty());
  CHECK_TRUE(document->SelectNodes("/toolband").empty());

  // Namespaces set after the load bind for the next selection.
  CHECK_TRUE(
      document->SetProperty("SelectionNamespaces", "xmlns:t='http://toolband.test/toolband'"));
  CHECK_TRUE(document->SelectNodes("/toolband:toolband").empty());
  CHECK_EQ(document->SelectNodes("/t:toolband/t:button").size(), std::size_t{1});
}

WINDOWS_CASE(OtherNamespacesDoNotMatch) {
  const platform::ScopedComInit com;
  const char* const documents[] = {
      "<toolband xmlns=\"http://other.test/toolband\"><button/></toolband>",
      "<toolband><button/></toolband>",
      "<t:toolband xmlns:t=\"http://toolband.test/toolband/\"/>",
  };
  for (const char* text : documents) {
    auto document = NewDocument();
    CHECK_EQ(document->LoadBytes(text), XmlLoadResult::kOk);
    CHECK_TRUE(!document->SelectSingleNode("/toolband:toolband").has_value());
  }
}

WINDOWS_CASE(AttributesByTheirNamesAsWritten) {
  const platform::ScopedComInit com;
  auto document = NewDocument();
  CHECK_EQ(
      document->LoadBytes("<tb:toolband xmlns:tb=\"http://toolband.test/toolband\" tb:x=\"1\"/>"),
      XmlLoadResult::kOk);
  const auto root = document->SelectSingleNode("/toolband:toolband");
  CHECK_TRUE(root.has_value());
  if (!root) return;
  CHECK_EQ(root->Name(), std::string("tb:toolband"));
  CHECK_EQ(root->Attribute("tb:x"), std::string("1"));
  CHECK_TRUE(!root->GetAttribute("x").has_value());

  CHECK_EQ(document->LoadBytes("<a b=\"\"/>"), XmlLoadResult::kOk);
  const auto plain = document->DocumentElement();
  CHECK_EQ(plain->GetAttribute("b"), std::optional<std::string>(""));
  CHECK_TRUE(!plain->GetAttribute("c").has_value());
  CHECK_EQ(plain->Attribute("c"), std::string());
}

WINDOWS_CASE(SettingsRefuseWhatMsxmlWouldNotTake) {
  const platform::ScopedComInit com;
  auto document = XmlDocument::Create();
  CHECK_TRUE(!document->SetProperty("SelectionLanguage", "XSLPattern"));
  CHECK_TRUE(!document->SetProperty("ProhibitDTD", "false"));
  CHECK_TRUE(!document->SetProperty("SelectionNamespaces", "xmlns='urn:default'"));
  CHECK_TRUE(!document->SetProperty("SelectionNamespaces", "xmlns:a=unquoted"));
  document->SetAsync(true);
  CHECK_TRUE(document->Async());
  CHECK_EQ(document->LoadBytes("<a/>"), XmlLoadResult::kOk);
  CHECK_TRUE(document->IsLoaded());
}

WINDOWS_CASE(LoadFailuresSayWhyAndLeaveTheDocumentEmpty) {
  const platform::ScopedComInit com;
  const TempFile garbage;
  CHECK_TRUE(garbage.Write(std::string("\x00\xFF\xFEgarbage<<", 12)));
  wchar_t directory[MAX_PATH];
  GetTempPathW(MAX_PATH, directory);

  constexpr std::string_view kNoFile = "the file does not exist or cannot be read";
  struct Case {
    std::string location;
    XmlLoadResult expected;
    std::string_view reason;  // empty: MSXML's own words
  };
  const Case cases[] = {
      {"C:\\missing-vimaru-layout.xml", XmlLoadResult::kNotFound, kNoFile},
      {"file:///C:/missing-vimaru-layout.xml", XmlLoadResult::kNotFound, kNoFile},
      {AnsiPathOf(directory), XmlLoadResult::kNotFound, kNoFile},
      {"relative.xml", XmlLoadResult::kNotFound, "the location is not a file path"},
      {"", XmlLoadResult::kNotFound, "the location is not a file path"},
      {"res://" + ThisProgramPath() + "/NONE.XML", XmlLoadResult::kNotFound,
       "the module has no such resource"},
      {"res://C:\\no\\such\\module.dll/ToolBandLayout.xml", XmlLoadResult::kNotFound,
       "the module has no such resource"},
      {"http://127.0.0.1:1/layout.xml", XmlLoadResult::kUnsupportedScheme,
       "the scheme 'http' is not supported"},
      {"FTP://host/layout.xml", XmlLoadResult::kUnsupportedScheme,
       "the scheme 'FTP' is not supported"},
      {garbage.Path(), XmlLoadResult::kParseError, ""},
  };
  auto document = NewDocument();
  for (const Case& c : cases) {
    CHECK_EQ(document->LoadBytes("<a/>"), XmlLoadResult::kOk);
    CHECK_EQ(document->Load(c.location), c.expected);
    if (c.reason.empty()) {
      CHECK_TRUE(!document->ParseError().reason.empty());
    } else {
      CHECK_EQ(document->ParseError().reason, std::string(c.reason));
      CHECK_EQ(document->ParseError().line, 0);
    }
    CHECK_TRUE(!document->IsLoaded());
    CHECK_TRUE(!document->DocumentElement().has_value());
    CHECK_TRUE(!document->Save().has_value());
  }
  CHECK_EQ(document->LoadBytes("<a/>"), XmlLoadResult::kOk);
  CHECK_EQ(document->ParseError().reason, std::string());
}

WINDOWS_CASE(MalformedBytesAreParseErrors) {
  const platform::ScopedComInit com;
  const char* const inputs[] = {"",
                                "   ",
                                "<a>",
                                "<a></b>",
                                "<?xml version=\"1.0\"?>\n<a>\n<b>\n</a>",
                                "<a/><b/>",
                                "text",
                                "<a x=\"1\" x=\"2\"/>",
                                "<?xml version=\"1.0\" encoding=\"no-such-encoding\"?><a/>"};
  for (const char* input : inputs) {
    auto document = NewDocument();
    CHECK_EQ(document->LoadBytes(input), XmlLoadResult::kParseError);
    CHECK_TRUE(!document->ParseError().reason.empty());
    CHECK_TRUE(!document->IsLoaded());
  }
}

// MSXML 3 would expand what a document type declares, so none is taken;
// no secret beside the document leaks and no entity bomb goes off.
WINDOWS_CASE(DocumentTypesAreRefusedBeforeMsxmlSeesThem) {
  const platform::ScopedComInit com;
  const TempFile secret;
  CHECK_TRUE(secret.Write("TOPSECRET"));
  std::string bomb = "<!DOCTYPE a [<!ENTITY e0 \"lollollollollollollollollollol\">";
  for (int i = 1; i <= 9; ++i) {
    bomb += "<!ENTITY e" + std::to_string(i) + " \"";
    for (int j = 0; j < 10; ++j) bomb += "&e" + std::to_string(i - 1) + ";";
    bomb += "\">";
  }
  bomb += "]><a x=\"&e9;\">&e9;</a>";
  const std::string documents[] = {
      "<!DOCTYPE a [<!ENTITY s SYSTEM \"" + secret.Path() + "\">]><a>&s;</a>",
      "<?xml version=\"1.0\"?><!-- c --><!DOCTYPE a SYSTEM \"" + secret.Path() + "\"><a/>",
      bomb,
  };
  for (const std::string& text : documents) {
    auto document = NewDocument();
    CHECK_EQ(document->LoadBytes(text), XmlLoadResult::kParseError);
    CHECK_EQ(document->ParseError().reason,
             std::string("the document declares a document type, which is refused"));
  }
  auto document = NewDocument();
  CHECK_EQ(document->LoadBytes("<!-- <!DOCTYPE a> --><a>&lt;!DOCTYPE&gt;</a>"), XmlLoadResult::kOk);
  CHECK_EQ(document->DocumentElement()->Text(), std::string("<!DOCTYPE>"));
}

WINDOWS_CASE(DeepNestingIsRefusedAsOnLinux) {
  const platform::ScopedComInit com;
  auto nested = [](int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<a>";
    for (int i = 0; i < depth; ++i) text += "</a>";
    return text;
  };
  CHECK_EQ(NewDocument()->LoadBytes(nested(250)), XmlLoadResult::kOk);
  CHECK_EQ(NewDocument()->LoadBytes(nested(300)), XmlLoadResult::kParseError);
}

WINDOWS_CASE(SetAttributesSurviveASaveInTheDocumentsEncoding) {
  const platform::ScopedComInit com;
  auto document = NewDocument();
  CHECK_EQ(document->LoadBytes(kLayout), XmlLoadResult::kOk);
  auto button = document->SelectSingleNode("/toolband:toolband/toolband:button");
  CHECK_TRUE(button.has_value());
  if (!button) return;
  // The euro sign is in Windows-1252 but not in iso-8859-1: it must survive
  // as a character reference rather than turn into '?'.
  button->SetAttribute("caption", "5 \x80 & <more> \"quoted\"");
  button->SetAttribute("disabled", "1");
  CHECK_EQ(button->Attribute("caption"), std::string("5 \x80 & <more> \"quoted\""));
  const auto saved = document->Save();
  CHECK_TRUE(saved.has_value());
  if (!saved) return;
  CHECK_TRUE(saved->starts_with("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>"));
  CHECK_TRUE(saved->find("&#8364;") != std::string::npos);
  CHECK_TRUE(saved->find("Help") != std::string::npos);

  auto reloaded = NewDocument();
  CHECK_EQ(reloaded->LoadBytes(*saved), XmlLoadResult::kOk);
  const auto again = reloaded->SelectSingleNode("/toolband:toolband/toolband:button");
  CHECK_TRUE(again.has_value());
  if (!again) return;
  CHECK_EQ(again->Attribute("caption"), std::string("5 \x80 & <more> \"quoted\""));
  CHECK_EQ(again->Attribute("disabled"), std::string("1"));
  CHECK_EQ(reloaded->SelectSingleNode("/toolband:toolband/toolband:menu/toolband:button")
               ->Attribute("caption"),
           std::string("Help"));
  CHECK_EQ(reloaded->SelectNodes("/toolband:toolband/*").size(), std::size_t{4});
}

WINDOWS_CASE(LatinOneBytesAreSavedAsTheyCame) {
  const platform::ScopedComInit com;
  auto document = NewDocument();
  CHECK_EQ(document->LoadBytes(kLayout), XmlLoadResult::kOk);
  const auto saved = document->Save();
  CHECK_TRUE(saved && saved->find("caption=\"Caf\xE9\"") != std::string::npos);
}

WINDOWS_CASE(UnicodeDocumentsAreSavedInTheirOwnEncoding) {
  const platform::ScopedComInit com;
  auto utf8 = NewDocument();
  CHECK_EQ(utf8->LoadBytes("<?xml version=\"1.0\" encoding=\"UTF-8\"?><a x=\"\xE2\x82\xAC\"/>"),
           XmlLoadResult::kOk);
  const auto savedUtf8 = utf8->Save();
  CHECK_TRUE(savedUtf8 && savedUtf8->starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
  CHECK_TRUE(savedUtf8 && savedUtf8->find("x=\"\xE2\x82\xAC\"") != std::string::npos);

  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("<?xml version=\"1.0\" encoding=\"UTF-16\"?><a x=\"\xE9\"/>")) {
    utf16 += {c, '\0'};
  }
  auto wide = NewDocument();
  CHECK_EQ(wide->LoadBytes(utf16), XmlLoadResult::kOk);
  CHECK_EQ(wide->DocumentElement()->Attribute("x"), std::string("\xE9"));
  const auto savedUtf16 = wide->Save();
  CHECK_TRUE(savedUtf16 && savedUtf16->starts_with(std::string_view("\xFF\xFE<\0?\0x\0", 8)));
  auto reloaded = NewDocument();
  CHECK_EQ(reloaded->LoadBytes(savedUtf16.value_or("")), XmlLoadResult::kOk);
  CHECK_EQ(reloaded->DocumentElement()->Attribute("x"), std::string("\xE9"));
}

WINDOWS_CASE(SavesToAFile) {
  const platform::ScopedComInit com;
  const TempFile file;
  auto document = NewDocument();
  CHECK_EQ(document->LoadBytes("<a x=\"1\"/>"), XmlLoadResult::kOk);
  CHECK_TRUE(document->SaveToFile(file.Path()));
  CHECK_TRUE(file.Read() == document->Save());
  CHECK_TRUE(!document->SaveToFile("C:\\NoSuchDir-vimaru\\x.xml"));
  CHECK_TRUE(!document->SaveToFile("relative.xml"));
  CHECK_TRUE(!XmlDocument::Create()->SaveToFile(file.Path()));
}

WINDOWS_CASE(ElementsKeepTheirTreeAlive) {
  const platform::ScopedComInit com;
  auto document = NewDocument();
  CHECK_EQ(document->LoadBytes(kLayout), XmlLoadResult::kOk);
  auto button = document->SelectSingleNode("/toolband:toolband/toolband:button");
  CHECK_TRUE(button.has_value());
  if (!button) return;

  CHECK_EQ(document->LoadBytes("<other/>"), XmlLoadResult::kOk);
  CHECK_EQ(button->Attribute("command"), std::string("VimaruIEToolbar.QX"));

  document.reset();
  CHECK_EQ(button->Attribute("image"), std::string("216"));
  button->SetAttribute("disabled", "1");
  CHECK_EQ(button->Attribute("disabled"), std::string("1"));
  CHECK_TRUE(button->SelectNodes("child::*").empty());
  CHECK_EQ(button->OwnerDocument()->DocumentElement()->Name(), std::string("other"));
}

}  // namespace
