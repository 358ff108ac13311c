#include "tools/inspect/LayoutSubcommand.h"

#include <gtest/gtest.h>

#include <algorithm>
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

constexpr const char* kGivenUp =
    "{\n  \"result\": false,\n  \"name\": \"\",\n  \"company\": \"\",\n"
    "  \"baseDirectory\": \"\",\n  \"controls\": []\n}\n";

// A toolbar that is given up is the documented failed load, printed, and a
// failure of the subcommand: the JSON shows it, standard error says why.
TEST(LayoutSubcommand, GivenUpToolbarsPrintTheFailedLoadAndFail) {
  platform::ScopedRegistryReset registry;
  HostDirectory directory;
  const ToolRun plain = RunLayout({directory.Write("plain.xml", "<toolband><button/></toolband>")});
  EXPECT_EQ(plain.exitCode, kExitFailure);
  EXPECT_EQ(plain.out, kGivenUp);
  EXPECT_EQ(plain.err,
            "vimaru-tool layout: the toolbar is given up: the layout at " +
                directory.Path("plain.xml") +
                " has no toolband root in the namespace http://www.vimaru.com/toolband\n");

  const ToolRun empty = RunLayout({""});
  EXPECT_EQ(empty.exitCode, kExitFailure);
  EXPECT_EQ(empty.out, kGivenUp);
  EXPECT_EQ(empty.err, "vimaru-tool layout: no layout location: the toolbar is given up\n");
}

// An unreadable layout still gives the product's toolbar of one label; the
// label says what is wrong, and so does the tool, with exit 1.
TEST(LayoutSubcommand, UnreadableLayoutsSayWhyAndFail) {
  platform::ScopedRegistryReset registry;
  HostDirectory directory;
  const std::string missing = directory.Path("missing.xml");
  const std::string broken = directory.Write(
      "broken.xml", "<toolband xmlns='http://www.vimaru.com/toolband'>\n<button>\n</toolband>");
  const std::string badBytes = directory.Write(
      "cp1252.xml",
      "<?xml version='1.0' encoding='windows-1252'?>\n"
      "<toolband xmlns='http://www.vimaru.com/toolband'>\n<button caption='\x81'/></toolband>");
  const struct {
    std::string location;
    std::string message;  // how the label's caption begins, escaped as JSON
  } cases[] = {
      {missing, "Can't find XML document " + WindowsDirectoryOf(missing) +
                    "\\\\missing.xml (the file does not exist or cannot be read)."},
      {broken, "Unable to parse XML document " + WindowsDirectoryOf(broken) +
                   "\\\\broken.xml (line 3, column "},
      {badBytes, "Unable to parse XML document " + WindowsDirectoryOf(badBytes) +
                     "\\\\cp1252.xml (line 3, column "},
  };
  for (const auto& c : cases) {
    ::testing::internal::CaptureStderr();
    const ToolRun run = RunLayout({c.location});
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "libxml2 printed for " << c.location;
    EXPECT_EQ(run.exitCode, kExitFailure) << c.location;
    EXPECT_NE(run.out.find("\"result\": true"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"caption\": \"" + c.message), std::string::npos) << run.out;
    std::string unescaped = c.message;
    for (std::size_t at = 0; (at = unescaped.find("\\\\", at)) != std::string::npos; ++at) {
      unescaped.erase(at, 1);
    }
    EXPECT_EQ(run.err.rfind("vimaru-tool layout: " + unescaped, 0), 0u) << run.err;
    EXPECT_EQ(run.err.back(), '\n');
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
}

// Usage errors load nothing, print no JSON, and say what is wrong before the
// usage line; a URL the loader cannot read is one of them, named by scheme.
TEST(LayoutSubcommand, BadUsageNamesTheProblem) {
  platform::ScopedRegistryReset registry;
  const std::string usage =
      "usage: vimaru-tool layout LOCATION [--stored FILE] [--write-back FILE]\n";
  const struct {
    std::vector<std::string_view> arguments;
    std::string problem;
  } cases[] = {
      {{}, "no LOCATION given"},
      {{"a.xml", "--stored"}, "--stored takes one FILE"},
      {{"a.xml", "--stored", "s.xml", "--stored", "t.xml"}, "--stored takes one FILE"},
      {{"a.xml", "b.xml"}, "one LOCATION only, got 'b.xml' too"},
      {{"a.xml", "--verbose"}, "unknown option '--verbose'"},
      {{"http://127.0.0.1:1/x.xml"},
       "the scheme 'http' is not supported: a location is a host path, a file:// URL, a Windows "
       "path or a res:// location"},
      {{"ftp://x/layout.xml"},
       "the scheme 'ftp' is not supported: a location is a host path, a file:// URL, a Windows "
       "path or a res:// location"},
  };
  for (const auto& c : cases) {
    const ToolRun run = RunLayout(c.arguments);
    EXPECT_EQ(run.exitCode, kExitUsage) << c.problem;
    EXPECT_EQ(run.out, "") << c.problem;
    EXPECT_EQ(run.err, "vimaru-tool layout: " + c.problem + "\n" + usage);
  }
}

TEST(LayoutSubcommand, UnreadableStoredCopyFailsBeforeLoading) {
  platform::ScopedRegistryReset registry;
  const ToolRun run = RunLayout({"a.xml", "--stored", "/nonexistent/stored.xml"});
  EXPECT_EQ(run.exitCode, kExitFailure);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "vimaru-tool layout: cannot read /nonexistent/stored.xml\n");
}

}  // namespace
}  // namespace tools
