#include "platform/module/ThisModule.h"

#include <gtest/gtest.h>

#include "platform/files/FileSystem.h"
#include "platform/resources/ModuleResources.h"

namespace platform {
namespace {

TEST(ThisModule, AProgramThatLinksTheProductPlaysTheInstalledModule) {
  EXPECT_NE(ThisModule(), nullptr);
  EXPECT_EQ(ModuleFilePath(), kInstalledModulePath);
  EXPECT_EQ(GetModuleDirectory(), "C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar");
}

TEST(ThisModule, ARecordedPathIsCanonicalAndComesBackAfterTheScope) {
  {
    ScopedModuleFilePath moved("d:/tools/side bar/../x.dll");
    EXPECT_EQ(ModuleFilePath(), "D:\\tools\\x.dll");
    EXPECT_EQ(GetModuleDirectory(), "D:\\tools");
    ScopedModuleFilePath atRoot("E:\\x.dll");
    EXPECT_EQ(GetModuleDirectory(), "E:") << "the product appends \\*.dll to it";
  }
  EXPECT_EQ(ModuleFilePath(), kInstalledModulePath);
}

TEST(ThisModule, ResAddressesFollowTheRecordedPath) {
  ScopedModuleResources resources({{"HTML", "PAGE.HTM", 0, "<p>here</p>"}});
  EXPECT_EQ(LoadResUrl(std::string("res://") + kInstalledModulePath + "/page.htm"), "<p>here</p>");
  ScopedModuleFilePath moved("D:\\Elsewhere\\Vimaru.dll");
  EXPECT_EQ(LoadResUrl("res://D:\\Elsewhere\\Vimaru.dll/page.htm"), "<p>here</p>");
  EXPECT_FALSE(LoadResUrl(std::string("res://") + kInstalledModulePath + "/page.htm"))
      << "the module goes by one path";
}

}  // namespace
}  // namespace platform
