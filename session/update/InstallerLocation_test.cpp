#include "session/update/InstallerLocation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace session {
namespace {

const std::string kDirectory = "C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar";

std::optional<std::string> InstallerName(std::string_view url) {
  const std::optional<InstallerLocation> location = LocateInstaller(kDirectory, url);
  if (!location) return std::nullopt;
  EXPECT_EQ(location->temporaryPath, location->installerPath + "__");
  EXPECT_TRUE(location->installerPath.starts_with(kDirectory + "\\"));
  return location->installerPath.substr(kDirectory.size() + 1);
}

TEST(LocateInstaller, NamesTheInstallerAfterTheLastSegmentWithOnlyItsLastExtensionReplaced) {
  struct Case {
    const char* url;
    const char* installer;
  };
  const std::vector<Case> cases = {
      {"http://www.vimaru.com/download/setup.beta.exe", "setup.beta.exe"},
      {"http://www.vimaru.com/download/setup.zip", "setup.exe"},
      {"http://www.vimaru.com/download/setup", "setup.exe"},
      {"http://www.vimaru.com/setup.", "setup.exe"},
      {"HTTPS://www.vimaru.com/a/b/Setup.MSI", "Setup.exe"},
      {"http://www.vimaru.com/download/setup.exe?version=2.0.0.2", "setup.exe"},
      {"http://www.vimaru.com/download/setup.exe#latest", "setup.exe"},
      {"http://www.vimaru.com/get.aspx?file=..\\..\\evil.exe", "get.exe"},
      {"http://www.vimaru.com/download/Vimaru%20Setup%202.exe", "Vimaru Setup 2.exe"},
      {"http://www.vimaru.com/download/100%25.exe", "100%.exe"},
      {"http://www.vimaru.com/download/odd%zz.exe", "odd%zz.exe"},
      {"http://www.vimaru.com/download/.hidden.exe", ".hidden.exe"},
      {"http://www.vimaru.com/download/console.exe", "console.exe"},
      {"http://127.0.0.1:8080/download/setup.exe", "setup.exe"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.url);
    EXPECT_EQ(InstallerName(test.url), test.installer);
  }
}

TEST(LocateInstaller, RefusesWhatIsNoPlainFileNameInTheInstallDirectory) {
  for (const char* url : {
           "http://www.vimaru.com/download/",
           "http://www.vimaru.com",
           "http://www.vimaru.com?file=setup.exe",
           "http://www.vimaru.com/..",
           "http://www.vimaru.com/%2e%2E",
           "http://www.vimaru.com/download/...",
           "http://www.vimaru.com/download/.exe",
           "http://www.vimaru.com/download/%20.exe",
           "http://www.vimaru.com/download/..\\..\\evil.exe",
           "http://www.vimaru.com/download/..%5C..%5Cevil.exe",
           "http://www.vimaru.com/download/..%2F..%2Fevil.exe",
           "http://www.vimaru.com/download/C:evil.exe",
           "http://www.vimaru.com/download/C%3A%5CWindows%5Cevil.exe",
           "http://www.vimaru.com/download/setup.exe%3Astream",
           "http://www.vimaru.com/download/set*up.exe",
           "http://www.vimaru.com/download/a%00b.exe",
           "http://www.vimaru.com/download/a%0D%0Ab.exe",
           "http://www.vimaru.com/download/con.exe",
           "http://www.vimaru.com/download/NUL",
           "http://www.vimaru.com/download/Lpt1.tar.gz",
           "http://www.vimaru.com/download/aux%20.zip",
           "ftp://www.vimaru.com/download/setup.exe",
           "file:///C:/Windows/setup.exe",
           "httpx://www.vimaru.com/setup.exe",
           "setup.exe",
           "",
       }) {
    SCOPED_TRACE(url);
    EXPECT_EQ(InstallerName(url), std::nullopt);
  }
}

TEST(LocateInstaller, WithoutAnInstallDirectoryThereIsNowhereToPutIt) {
  EXPECT_EQ(LocateInstaller("", "http://www.vimaru.com/download/setup.exe"), std::nullopt);
}

}  // namespace
}  // namespace session
