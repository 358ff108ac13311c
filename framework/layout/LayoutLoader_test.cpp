#include "framework/layout/LayoutLoader.h"

#include <gtest/gtest.h>

#include "framework/controls/ControlKinds.h"
#include "framework/layout/LayoutTestSupport.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/resources/ModuleResources.h"

namespace framework {
namespace {

using namespace std::string_literals;

using testing::kLayoutPath;
using testing::Layout;
using testing::LayoutTest;

TEST(LayoutLoader, BaseDirectoryIsBeforeTheLaterSeparator) {
  struct Case {
    const char* location;
    std::optional<std::string> directory;
  };
  for (const Case& c :
       {Case{"C:\\dir\\layout.xml", "C:\\dir"}, Case{"file://C:\\dir\\layout.xml", "C:\\dir"},
        Case{"file://C:/dir/sub\\layout.xml", "C:/dir/sub"},
        Case{"res://C:\\m\\x.dll/ToolBandLayout.xml", "res://C:\\m\\x.dll"},
        Case{"layout.xml", std::nullopt}, Case{"/layout.xml", std::nullopt},
        Case{"", std::nullopt}}) {
    EXPECT_EQ(BaseDirectoryOf(c.location), c.directory) << c.location;
  }
}

TEST(LayoutLoader, MessagesAreCutToTheBuffer) {
  EXPECT_EQ(CannotFindMessage("C:\\x.xml"), "Can't find XML document C:\\x.xml.");
  EXPECT_EQ(CannotParseMessage("C:\\x.xml"), "Unable to parse XML document C:\\x.xml.");
  const std::string longLocation(5000, 'a');
  const std::string message = CannotParseMessage(longLocation);
  EXPECT_EQ(message.size(), 2047u);
  EXPECT_EQ(message.substr(0, 29), "Unable to parse XML document ");
}

TEST_F(LayoutTest, NameCompanyAndBaseDirectoryComeFromTheDocument) {
  ToolBandC* toolband = Build(Layout("<button/>", " name='Bar' company='Maker'"),
                              "file://" + std::string(kLayoutPath));
  ASSERT_NE(toolband, nullptr);
  EXPECT_EQ(toolband->Name(), "Bar");
  EXPECT_EQ(toolband->Company(), "Maker");
  EXPECT_EQ(toolband->BaseDirectory(), "C:\\Layouts");
  ASSERT_NE(toolband->LayoutDocument(), nullptr);
}

TEST_F(LayoutTest, NoToolbarWithoutLocationOrNamespacedRoot) {
  for (const std::string& text :
       {std::string("<toolband><button/></toolband>"),
        std::string("<toolband xmlns='http://www.vimaru.com/other'><button/></toolband>"),
        std::string("<toolbar xmlns='http://www.vimaru.com/toolband'><button/></toolbar>")}) {
    EXPECT_EQ(Build(text), nullptr) << text;
    EXPECT_EQ(context_->ToolBand(), nullptr);
  }
  EXPECT_EQ(Build(Layout("<button/>"), ""), nullptr);
}

TEST(LayoutLoader, MessagesSayWhyAndWhere) {
  EXPECT_EQ(CannotFindMessage("C:\\x.xml", "the file does not exist or cannot be read"),
            "Can't find XML document C:\\x.xml (the file does not exist or cannot be read).");
  EXPECT_EQ(CannotParseMessage("C:\\x.xml", {"Document is empty", 1, 1}),
            "Unable to parse XML document C:\\x.xml (line 1, column 1: Document is empty).");
  EXPECT_EQ(CannotParseMessage("C:\\x.xml", {"too large", 0, 0}),
            "Unable to parse XML document C:\\x.xml (too large).");
  // The buffer ends inside the place: the 29-character sentence start and a
  // 2000-character location leave 18 characters for it.
  const std::string cut = CannotParseMessage(std::string(2000, 'a'), {"reason", 7, 3});
  EXPECT_EQ(cut.size(), 2047u);
  EXPECT_TRUE(cut.ends_with("a (line 7, column 3")) << cut.substr(2000);
}

// A layout that cannot be read is a toolbar of one label saying why: a
// missing file that it is missing, broken bytes where they broke.
TEST_F(LayoutTest, UnreadableLayoutsBecomeOneErrorLabel) {
  struct Case {
    std::string layout;
    std::string location;
    std::string captionStart;  // where the parser stopped; its words are libxml2's
  };
  const std::string parse = "Unable to parse XML document "s + kLayoutPath;
  for (const Case& c : {
           Case{Layout("<button/>"), "C:\\Layouts\\missing.xml",
                "Can't find XML document C:\\Layouts\\missing.xml (the file does not exist or "
                "cannot be read)."},
           Case{Layout("<button/>"), "http://127.0.0.1:1/layout.xml",
                "Can't find XML document http://127.0.0.1:1/layout.xml (the scheme 'http' is not "
                "supported)."},
           Case{"<toolband xmlns='http://www.vimaru.com/toolband'>\n<button>", kLayoutPath,
                parse + " (line 2, column "},
           Case{"\x00\xff garbage"s, kLayoutPath, parse + " (line 1, column "},
           Case{"", kLayoutPath, parse + " (line 1, column "},
       }) {
    ToolBandC* toolband = Build(c.layout, c.location);
    ASSERT_NE(toolband, nullptr) << c.location;
    ASSERT_EQ(toolband->Controls().size(), 1u);
    EXPECT_EQ(TopLevel(0).Kind(), ControlKind::kLabel);
    EXPECT_EQ(TopLevel(0).Caption().substr(0, c.captionStart.size()), c.captionStart);
    EXPECT_TRUE(TopLevel(0).Caption().ends_with(").")) << TopLevel(0).Caption();
    EXPECT_EQ(TopLevel(0).Command(), context_->FindCommand("ToolBand.Nop"));
  }
}

TEST_F(LayoutTest, ParserThatCannotBeCreatedGivesTheCantFindLabel) {
  ASSERT_TRUE(platform::WriteWholeFile(kLayoutPath, Layout("<button/>")));
  context_ = std::make_unique<StandaloneTabContextC>(kLayoutPath);
  context_->SetXmlDocumentFactory([] { return nullptr; });
  ASSERT_NE(context_->Create(), nullptr);
  ASSERT_EQ(context_->ToolBand()->Controls().size(), 1u);
  EXPECT_EQ(TopLevel(0).Caption(), std::string("Can't find XML document ") + kLayoutPath + ".");
}

TEST_F(LayoutTest, ResLocationLoadsTheEmbeddedLayout) {
  platform::ScopedModuleResources resources(
      {{"HTML", "TOOLBANDLAYOUT.XML", 0, Layout("<label caption='From resource'/>")}});
  const std::string location = "res://" + platform::ModuleFilePath() + "/ToolBandLayout.xml";
  context_ = std::make_unique<StandaloneTabContextC>(location);
  ToolBandC* toolband = context_->Create();
  ASSERT_NE(toolband, nullptr);
  EXPECT_EQ(TopLevel(0).Caption(), "From resource");
  EXPECT_EQ(toolband->BaseDirectory(), "res://" + platform::ModuleFilePath());
}

TEST_F(LayoutTest, StoredChoicesAreMergedByNameCommandCaptionAndId) {
  StoreCopy(
      Layout("<button command='Navigate' caption='A'/>"
             "<button command='Navigate' caption='A' disabled='1'/>"
             "<button command='Navigate' caption='B ' disabled='1'/>"
             "<label caption='C' disabled='1'/>"
             "<button command='Navigate' caption='D' id='x' disabled='1'/>"));
  ASSERT_NE(Build(Layout("<button command='Navigate' caption='A'/>"
                         "<button command='Navigate' caption='B'/>"
                         "<button caption='C'/>"
                         "<button command='Navigate' caption='D' id='x'/>"
                         "<button command='Navigate' caption='E' disabled='1'/>")),
            nullptr);
  EXPECT_EQ(TopLevel(0).StyleWord() & 0x80000000u, 0x80000000u);  // last match wins
  EXPECT_EQ(TopLevel(1).StyleWord() & 0x80000000u, 0u);           // one space differs
  EXPECT_EQ(TopLevel(2).StyleWord() & 0x80000000u, 0u);           // element name differs
  EXPECT_EQ(TopLevel(3).StyleWord() & 0x80000000u, 0x80000000u);
  EXPECT_EQ(TopLevel(4).StyleWord() & 0x80000000u, 0x80000000u);  // no stored match
}

TEST_F(LayoutTest, MatchWithoutStoredDisabledSwitchesTheItemOn) {
  StoreCopy(Layout("<button caption='A'/>"));
  ASSERT_NE(Build(Layout("<button caption='A' disabled='1'/>")), nullptr);
  EXPECT_EQ(TopLevel(0).StyleWord() & 0x80000000u, 0u);
}

TEST_F(LayoutTest, MenuItemsAreNotMerged) {
  StoreCopy(Layout("<menu caption='M'><button caption='A' disabled='1'/></menu>"));
  ASSERT_NE(Build(Layout("<menu caption='M'><button caption='A'/></menu>")), nullptr);
  auto& menu = dynamic_cast<MenuControlC&>(TopLevel(0));
  EXPECT_EQ(menu.Controls().at(0)->StyleWord() & 0x80000000u, 0u);
}

TEST_F(LayoutTest, MergedDocumentIsWrittenBackWhole) {
  StoreCopy(Layout("<button caption='A' disabled='1'/>"));
  ASSERT_NE(Build(Layout("<button caption='A'/><button caption='New'/>", " name='N'")), nullptr);
  const std::optional<std::string> stored = StoredCopy();
  ASSERT_TRUE(stored.has_value());
  auto reread = platform::XmlDocument::Create();
  ASSERT_TRUE(reread->SetProperty("SelectionNamespaces",
                                  "xmlns:toolband='http://www.vimaru.com/toolband'"));
  ASSERT_EQ(reread->LoadBytes(*stored), platform::XmlLoadResult::kOk);
  const auto root = reread->SelectSingleNode("/toolband:toolband");
  ASSERT_TRUE(root.has_value());
  EXPECT_EQ(root->Attribute("name"), "N");
  const auto items = root->ChildElements();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].Attribute("disabled"), "1");
  EXPECT_EQ(items[1].Attribute("caption"), "New");
  EXPECT_NE(stored->back(), '\0');  // raw document bytes, no terminator
}

TEST_F(LayoutTest, NothingIsStoredWithoutAnEarlierCopy) {
  ASSERT_NE(Build(Layout("<button/>")), nullptr);
  EXPECT_EQ(StoredCopy(), std::nullopt);
}

TEST_F(LayoutTest, GarbageStoredCopiesAreIgnoredAndLeftAlone) {
  for (const std::string& garbage :
       {"\x01\x02\xff\xfe not xml"s, "<toolband"s, ""s, std::string(70000, '<')}) {
    StoreCopy(garbage);
    ASSERT_NE(Build(Layout("<button caption='A' disabled='1'/>")), nullptr);
    EXPECT_EQ(TopLevel(0).StyleWord() & 0x80000000u, 0x80000000u);
    EXPECT_EQ(StoredCopy(), garbage);
  }
}

TEST_F(LayoutTest, StoredCopyInAnotherNamespaceMergesNothingButIsRewritten) {
  StoreCopy("<toolband xmlns='urn:other'><button caption='A' disabled='1'/></toolband>");
  ASSERT_NE(Build(Layout("<button caption='A'/>")), nullptr);
  EXPECT_EQ(TopLevel(0).StyleWord() & 0x80000000u, 0u);
  EXPECT_NE(StoredCopy()->find("http://www.vimaru.com/toolband"), std::string::npos);
}

TEST_F(LayoutTest, RegistryRefusalsAreIgnored) {
  const std::string stored = Layout("<button caption='A' disabled='1'/>");
  StoreCopy(stored);
  platform::DenyRegistryWrite(HKEY_CURRENT_USER, kProductLayoutKeyPath);
  ASSERT_NE(Build(Layout("<button caption='A'/><button caption='B'/>")), nullptr);
  EXPECT_EQ(TopLevel(0).StyleWord() & 0x80000000u, 0x80000000u);
  EXPECT_EQ(StoredCopy(), stored);

  platform::DenyRegistryOpen(HKEY_CURRENT_USER, kProductLayoutKeyPath);
  ASSERT_NE(Build(Layout("<button caption='A'/>")), nullptr);
  EXPECT_EQ(TopLevel(0).StyleWord() & 0x80000000u, 0u);
  platform::ClearRegistryDenials();
}

}  // namespace
}  // namespace framework
