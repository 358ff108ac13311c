#include "platform/resources/ModuleResources.h"

#include <gtest/gtest.h>

#include "platform/files/FileSystem.h"
#include "platform/module/ThisModule.h"

namespace platform {
namespace {

TEST(EmbeddedResources, HoldTheFilesByteForByte) {
  EXPECT_EQ(FindModuleResource("HTML", "TESTPAGE.HTM"), "<html><body>Hello</body></html>\n");

  const auto all = FindModuleResource("TESTDATA", "ALLBYTES.BIN");
  ASSERT_TRUE(all.has_value());
  ASSERT_EQ(all->size(), 768u);
  for (std::size_t i = 0; i < all->size(); ++i) {
    ASSERT_EQ(static_cast<unsigned char>((*all)[i]), i % 256) << "at " << i;
  }

  const auto empty = FindModuleResource("TESTDATA", "EMPTY.TXT");
  ASSERT_TRUE(empty.has_value());
  EXPECT_TRUE(empty->empty());
}

TEST(EmbeddedResources, MatchTypeAndNameIgnoringCase) {
  EXPECT_TRUE(FindModuleResource("html", "testpage.htm").has_value());
  EXPECT_FALSE(FindModuleResource("BITMAP", "TESTPAGE.HTM").has_value());
  EXPECT_FALSE(FindModuleResource("HTML", "TESTPAGE").has_value());
  EXPECT_FALSE(FindModuleResource("HTML", "").has_value());
}

TEST(EmbeddedResources, NumericIdsAndTheirHashNames) {
  EXPECT_EQ(FindModuleResource("TESTDATA", 77)->size(), 768u);
  EXPECT_EQ(FindModuleResource("TESTDATA", "#77")->size(), 768u);
  EXPECT_FALSE(FindModuleResource("TESTDATA", "77").has_value());
  EXPECT_FALSE(FindModuleResource("TESTDATA", 78).has_value());
  EXPECT_FALSE(FindModuleResource("TESTDATA", 0).has_value());
  EXPECT_FALSE(FindModuleResource("TESTDATA", "#").has_value());
  EXPECT_FALSE(FindModuleResource("TESTDATA", "#77x").has_value());
}

TEST(ScopedModuleResources, ReplacesTheEmbeddedTablesAndNests) {
  {
    ScopedModuleResources outer({{"HTML", "A.HTM", 0, "outer"}});
    EXPECT_FALSE(FindModuleResource("HTML", "TESTPAGE.HTM").has_value());
    EXPECT_EQ(FindModuleResource("HTML", "a.htm"), "outer");
    {
      ScopedModuleResources inner({{"BITMAP", "", 5, "inner"}});
      EXPECT_FALSE(FindModuleResource("HTML", "A.HTM").has_value());
      EXPECT_EQ(FindModuleResource("bitmap", 5), "inner");
    }
    EXPECT_EQ(FindModuleResource("HTML", "A.HTM"), "outer");
  }
  EXPECT_TRUE(FindModuleResource("HTML", "TESTPAGE.HTM").has_value());
}

TEST(LoadResUrl, ResolvesOnlyOurOwnModule) {
  ScopedFileSystemRoot root;
  ScopedModuleResources resources({{"HTML", "TOOLBANDLAYOUT.XML", 0, "layout"},
                                   {"HTML", "AD.HTM", 0, "waiting"},
                                   {"BITMAP", "", 215, "bitmap"}});
  struct Case {
    const char* url;
    const char* expected;  // nullptr: does not resolve
  };
  const Case cases[] = {
      {"res://C:\\Program Files\\Vimaru Group "
       "Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll/ToolBandLayout.xml",
       "layout"},
      {"RES://c:/program files/vimaru group "
       "inc/vimarUIEToolbar/VimaruIEToolbar.DLL/toolbandlayout.xml",
       "layout"},
      {"res://C:\\Program%20Files\\Vimaru%20Group%20Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll/"
       "AD.HTM",
       "waiting"},
      {"res://C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll/23/AD.HTM",
       "waiting"},
      {"res://C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll/#23/AD.HTM",
       "waiting"},
      {"res://C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll/2/#215",
       "bitmap"},
      {"res://C:\\Program Files\\Vimaru Group "
       "Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll/BITMAP/#215",
       "bitmap"},
      {"res://C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll/HTML/#215",
       nullptr},
      {"res://C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll/a/b/AD.HTM",
       nullptr},
      {"res://C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll", nullptr},
      {"res://C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll/", nullptr},
      {"res://C:\\Windows\\System32\\shdoclc.dll/ToolBandLayout.xml", nullptr},
      {"res://VimaruIEToolbar.dll/ToolBandLayout.xml", nullptr},
      {"file:///C:/ToolBandLayout.xml", nullptr},
  };
  for (const auto& c : cases) {
    const auto found = LoadResUrl(c.url);
    if (c.expected == nullptr) {
      EXPECT_FALSE(found.has_value()) << c.url;
    } else {
      EXPECT_EQ(found, c.expected) << c.url;
    }
  }
}

TEST(LoadResUrl, FollowsTheModulePathWhenItMoves) {
  ScopedFileSystemRoot root;
  ScopedModuleResources resources({{"HTML", "AD.HTM", 0, "waiting"}});
  ScopedModuleFilePath moved("D:\\Tools\\Toolbar.dll");
  EXPECT_EQ(LoadResUrl("res://D:\\Tools\\Toolbar.dll/AD.HTM"), "waiting");
  EXPECT_FALSE(
      LoadResUrl(
          "res://C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll/AD.HTM")
          .has_value());
}

}  // namespace
}  // namespace platform
