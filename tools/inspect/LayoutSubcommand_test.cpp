#include "tools/inspect/LayoutSubcommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "platform/registry/RegistryTestHooks.h"
#include "tools/inspect/SubcommandTestSupport.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

// A private host directory for the layout files of one test.
class HostDirectory {
 public:
  HostDirectory() {
    std::random_device random;
    do {
      path_ = fs::temp_directory_path() / ("vimaru-tool-test-" + std::to_string(random()));
    } while (!fs::create_directory(path_));
  }
  ~HostDirectory() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
    return (path_ / name).string();
  }
  std::string Path(const std::string& name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

std::string ReadHostFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

using testing::ToolRun;

ToolRun RunLayout(const std::vector<std::string_view>& arguments) {
  return testing::RunSubcommand(RunLayoutSubcommand, arguments);
}

std::string WindowsDirectoryOf(const std::string& hostPath) {
  std::string windows = "Z:";
  for (char c : fs::path(hostPath).parent_path().string()) windows += c == '/' ? '\\' : c;
  std::string escaped;
  for (char c : windows) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return escaped;
}

TEST(LayoutSubcommand, PrintsTheMergedTreeAndWritesBackTheStoredBytes) {
  platform::ScopedRegistryReset registry;
  HostDirectory directory;
  const std::string layout = directory.Write(
      "layout.xml",
      "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>"
      "<toolband xmlns=\"http://www.vimaru.com/toolband\" name=\"Bar\" company=\"Caf\xe9\">"
      "<menu image=\"215\"><button command=\"Navigate\" id=\"Home\" caption=\"H\" "
      "hotkey=\"Ctrl+H\" parameter=\"p\"/></menu>"
      "<separator/><button caption=\"A\" show-caption=\"yes\" image=\"x.bmp\" width=\"40\" "
      "tooltip=\"t\"/><button command=\"Product.Missing\"/></toolband>");
  const std::string stored = directory.Write(
      "stored.xml",
      "<toolband xmlns=\"http://www.vimaru.com/toolband\"><button caption=\"A\" disabled=\"1\"/>"
      "</toolband>");
  const std::string writeBack = directory.Path("written.xml");

  const ToolRun run = RunLayout({layout, "--stored", stored, "--write-back", writeBack});

  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string expected = R"({
  "result": true,
  "name": "Bar",
  "company": "Caf)"
                               "\xc3\xa9"
                               R"(",
  "baseDirectory": ")" + WindowsDirectoryOf(layout) +
                               R"(",
  "controls": [
    {
      "kind": "menu",
      "command": "ToolBand.Nop",
      "caption": "",
      "display": 2,
      "style": 1073741828,
      "width": 0,
      "image": {
        "resource": 215
      },
      "tooltip": "",
      "parameter": "",
      "hotkey": "",
      "children": [
        {
          "kind": "button",
          "command": "Home",
          "caption": "H",
          "display": 0,
          "style": 0,
          "width": 0,
          "image": {
            "resource": 0
          },
          "tooltip": "",
          "parameter": "p",
          "hotkey": "Ctrl+H"
        }
      ]
    },
    {
      "kind": "separator",
      "command": null,
      "caption": "",
      "display": 0,
      "style": 1073741824,
      "width": 0,
      "image": {
        "resource": 0
      },
      "tooltip": "",
      "parameter": "",
      "hotkey": ""
    },
    {
      "kind": "button",
      "command": "ToolBand.Nop",
      "caption": "A",
      "display": 3,
      "style": 3221225472,
      "width": 40,
      "image": {
        "file": "x.bmp"
      },
      "tooltip": "t",
      "parameter": "",
      "hotkey": ""
    }
  ]
}
)";
  EXPECT_EQ(run.out, expected);
  const std::string written = ReadHostFile(writeBack);
  EXPECT_NE(written.find("disabled=\"1\""), std::string::npos) << written;
  EXPECT_NE(written.find("company=\"Caf\xe9\""), std::string::npos) << written;
}

TEST(LayoutSubcommand, EmptyRootGivesResultFalse) {
  platform::ScopedRegistryReset registry;
  HostDirectory directory;
  const ToolRun run = RunLayout({directory.Write("plain.xml", "<toolband><button/></toolband>")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out,
            "{\n  \"result\": false,\n  \"name\": \"\",\n  \"company\": \"\",\n"
            "  \"baseDirectory\": \"\",\n  \"controls\": []\n}\n");
}

TEST(LayoutSubcommand, EmptyLocationGivesTheFailedLoad) {
  platform::ScopedRegistryReset registry;
  const ToolRun run = RunLayout({""});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out,
            "{\n  \"result\": false,\n  \"name\": \"\",\n  \"company\": \"\",\n"
            "  \"baseDirectory\": \"\",\n  \"controls\": []\n}\n");
}

TEST(LayoutSubcommand, BadArgumentsAndUnreadableFilesFail) {
  platform::ScopedRegistryReset registry;
  struct Case {
    std::vector<std::string_view> arguments;
    int exitCode;
  };
  for (const Case& c : {Case{{}, 2}, Case{{"a.xml", "--stored"}, 2}, Case{{"a.xml", "b.xml"}, 2},
                        Case{{"a.xml", "--verbose"}, 2},
                        Case{{"a.xml", "--stored", "/nonexistent/stored.xml"}, 1}}) {
    const ToolRun run = RunLayout(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_TRUE(run.out.empty());
  }
}

}  // namespace
}  // namespace tools
