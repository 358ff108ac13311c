// The real Windows DLL under Wine: registered by Wine's regsvr32, created by
// the Windows test host through CoCreateInstance into a real comctl32
// toolbar, fetching from the reference service on loopback through WinSock,
// and unregistered again. One fresh Wine prefix serves the whole suite, so
// the suite runs as one test; each case needs the ones before it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>

#include "tools/refservice/ProductEnvironment.h"
#include "tools/refservice/ReferenceService.h"

namespace {

namespace fs = std::filesystem;

constexpr char kToolbarClsid[] = "{736FA7B4-0557-11DB-95BA-00C09F713765}";

struct CommandRun {
  int exit = -1;
  std::string output;
};

// Runs a shell command, its output captured; Wine's own chatter on standard
// error stays out of what is compared.
CommandRun Shell(const std::string& command) {
  CommandRun run;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  std::size_t read;
  while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, read);
  const int status = pclose(pipe);
  run.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// Z: is the Unix root under Wine.
std::string WindowsPathOf(const fs::path& path) {
  std::string text = "Z:" + path.string();
  for (char& c : text) c = c == '/' ? '\\' : c;
  return text;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// UTF-16LE (what Wine's reg export writes) to UTF-8; the registry entries
// compared here are ASCII but for the odd path.
std::string FromUtf16(const std::string& bytes) {
  std::string text;
  std::size_t start = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE' ? 2 : 0;
  for (std::size_t i = start; i + 1 < bytes.size(); i += 2) {
    const unsigned unit =
        static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (unit < 0x80) {
      text.push_back(static_cast<char>(unit));
    } else if (unit < 0x800) {
      text.push_back(static_cast<char>(0xC0 | (unit >> 6)));
      text.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    } else {
      text.push_back(static_cast<char>(0xE0 | (unit >> 12)));
      text.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
      text.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    }
  }
  return text;
}

// A .reg text as key -> value name -> data, keys lower-cased and the
// classes root written one way; `modulePath` (as .reg text escapes it)
// becomes <module>, so two installs of one module compare equal.
using RegistryEntries = std::map<std::string, std::map<std::string, std::string>>;

RegistryEntries ParseRegText(const std::string& text, const std::string& modulePath) {
  RegistryEntries entries;
  const auto escaped = [](std::string_view raw) {
    std::string escapedText;
    for (char c : raw) {
      escapedText += c;
      if (c == '\\') escapedText += '\\';
    }
    return Lower(escapedText);
  };
  const std::string escapedPath = escaped(modulePath);
  const std::string escapedDirectory = escaped(modulePath.substr(0, modulePath.rfind('\\')));
  std::istringstream lines(text);
  std::string line, key;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
      key = Lower(line.substr(1, line.size() - 2));
      const std::string classes = "hkey_local_machine\\software\\classes\\";
      if (key.rfind(classes, 0) == 0) key = "hkey_classes_root\\" + key.substr(classes.size());
      entries[key];
      continue;
    }
    const std::size_t equals = line.find("\"=");
    const std::size_t at = line.rfind("@=", 0);
    if (key.empty() || (equals == std::string::npos && at == std::string::npos)) continue;
    std::string name = at == 0 ? "@" : Lower(line.substr(0, equals + 1));
    std::string data = at == 0 ? line.substr(2) : line.substr(equals + 2);
    // The module's path first, then its directory (the type library's help
    // directory), so the path is not read as directory plus name.
    for (const auto& [known, placeholder] :
         {std::pair{escapedPath, "<module>"}, std::pair{escapedDirectory, "<module directory>"}}) {
      for (std::size_t found;
           !known.empty() && (found = Lower(data).find(known)) != std::string::npos;) {
        data.replace(found, known.size(), placeholder);
      }
    }
    entries[key][name] = data;
  }
  return entries;
}

RegistryEntries Under(const RegistryEntries& entries, const std::set<std::string>& roots) {
  RegistryEntries kept;
  for (const auto& [key, values] : entries) {
    for (const std::string& root : roots) {
      if (key == root || key.rfind(root + "\\", 0) == 0) kept[key] = values;
    }
  }
  return kept;
}

// What differs between two registrations, one line a difference; empty
// when they are the same.
std::string Differences(const RegistryEntries& actual, const RegistryEntries& expected) {
  std::string lines;
  for (const auto& [key, values] : expected) {
    const auto found = actual.find(key);
    if (found == actual.end()) {
      lines += "missing key [" + key + "]\n";
      continue;
    }
    for (const auto& [name, data] : values) {
      const auto value = found->second.find(name);
      if (value == found->second.end()) {
        lines += "[" + key + "] missing " + name + "=" + data + "\n";
      } else if (value->second != data) {
        lines += "[" + key + "] " + name + "=" + value->second + ", expected " + data + "\n";
      }
    }
    for (const auto& [name, data] : found->second) {
      if (!values.contains(name)) lines += "[" + key + "] extra " + name + "=" + data + "\n";
    }
  }
  for (const auto& [key, values] : actual) {
    if (!expected.contains(key)) lines += "extra key [" + key + "]\n";
  }
  return lines;
}

class WindowsDllUnderWine : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    work_ = fs::temp_directory_path() / ("vimaru-wine-" + std::to_string(getpid()));
    fs::create_directories(work_ / "app");
    setenv("WINEPREFIX", (work_ / "prefix").c_str(), 1);
    setenv("WINEDEBUG", "-all", 1);
    // No Mono or Gecko installs: nothing here runs .NET, and no HTML engine
    // exists. Wine's iexplore cannot run without one either, and starting it
    // for the registration's CoCreateInstance(CLSID_InternetExplorer) would
    // hold regsvr32 until COM gives up, minutes later: with it disabled the
    // registration meets a machine whose browser cannot be created.
    setenv("WINEDLLOVERRIDES", "mscoree,mshtml=;iexplore.exe=d", 1);
    setenv("WINEARCH", "win64", 1);
    // The XML backend check reads the shipped layout from the source tree.
    setenv("VIMARU_SOURCE_DIR", VIMARU_SOURCE_DIR, 1);
    fs::copy_file(VIMARU_WINDOWS_DLL, work_ / "app" / "VimaruIEToolbar.dll");
    fs::copy_file(VIMARU_WINDOWS_HOST, work_ / "app" / "vimaru-windows-host.exe");
    booted_ = Shell(Wine() + " wineboot -i").exit == 0;
  }

  static void TearDownTestSuite() {
    Shell(std::string(VIMARU_WINESERVER) + " -k");
    std::error_code ignored;
    fs::remove_all(work_, ignored);
  }

  void SetUp() override { ASSERT_TRUE(booted_) << "wineboot failed"; }

  static std::string Wine() { return VIMARU_WINE64; }
  static std::string ModulePath() { return WindowsPathOf(work_ / "app" / "VimaruIEToolbar.dll"); }

  static RegistryEntries ExportedUnderWine(const std::set<std::string>& keys) {
    RegistryEntries all;
    int index = 0;
    for (const std::string& key : keys) {
      const fs::path file = work_ / ("export" + std::to_string(index++) + ".reg");
      if (Shell(Wine() + " reg export " + Quoted(key) + " " + Quoted(WindowsPathOf(file)) + " /y")
              .exit != 0)
        continue;
      std::ifstream in(file, std::ios::binary);
      std::stringstream bytes;
      bytes << in.rdbuf();
      all.merge(ParseRegText(FromUtf16(bytes.str()), ModulePath()));
    }
    return all;
  }

  static inline fs::path work_;
  static inline bool booted_ = false;
};

// The keys the module writes, as the Linux module's registration shows them.
RegistryEntries LinuxRegistration(const fs::path& root) {
  constexpr char kInstalled[] =
      "C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll";
  fs::create_directories(root);
  const fs::path exported = root / "registered.reg";
  const CommandRun registered =
      Shell(std::string(VIMARU_REGSVR) + " /s " + Quoted(kInstalled) + " --root " +
            Quoted(root.string()) + " --export " + Quoted(exported.string()));
  EXPECT_EQ(registered.exit, 0) << registered.output;
  std::ifstream in(exported, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return ParseRegText(text.str(), kInstalled);
}

TEST_F(WindowsDllUnderWine, Regsvr32WritesTheEntriesTheLinuxModuleWrites) {
  const CommandRun registered = Shell(Wine() + " regsvr32 /s " + Quoted(ModulePath()));
  ASSERT_EQ(registered.exit, 0) << registered.output;

  const RegistryEntries linux = LinuxRegistration(work_ / "linux-root");
  // Every key the Linux module writes below a key it owns, and the
  // browser's toolbar list it adds a value to.
  std::set<std::string> roots;
  for (const auto& [key, values] : linux) {
    if (key.rfind("hkey_classes_root\\clsid\\{", 0) == 0 ||
        key.rfind("hkey_classes_root\\typelib\\{", 0) == 0 ||
        key.rfind("hkey_classes_root\\interface\\{", 0) == 0) {
      roots.insert(key.substr(0, key.find('}') + 1));
    }
  }
  roots.insert("hkey_local_machine\\software\\microsoft\\internet explorer\\toolbar");
  ASSERT_FALSE(roots.empty());
  const RegistryEntries expected = Under(linux, roots);
  RegistryEntries underWine = Under(ExportedUnderWine(roots), roots);
  // Wine's RegisterTypeLib keeps LIBFLAG_FHASDISKIMAGE (8), which Windows
  // leaves out of the FLAGS it writes: the library's own flags are 0.
  for (auto& [key, values] : underWine) {
    if (key.ends_with("\\flags") && key.find("\\typelib\\") != std::string::npos &&
        values["@"] == "\"8\"") {
      values["@"] = "\"0\"";
    }
  }
  EXPECT_EQ(Differences(underWine, expected), "");
}

std::vector<nlohmann::json> JsonLines(const std::string& output) {
  std::vector<nlohmann::json> lines;
  std::istringstream stream(output);
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty() && line.front() == '{')
      lines.push_back(nlohmann::json::parse(line, nullptr, false));
  }
  return lines;
}

TEST_F(WindowsDllUnderWine,
       TheHostBuildsTheShippedToolbarInComctl32AndTheSessionFetchesCategories) {
  refservice::ReferenceService service;
  for (const auto& [name, value] : refservice::ProductEnvironmentFor(service.BaseUrl())) {
    setenv(name.c_str(), value.c_str(), 1);
  }
  const fs::path picture = fs::path(VIMARU_PICTURE_DIR) / "toolbar-wine.png";
  fs::create_directories(picture.parent_path());
  const CommandRun hosted =
      Shell(Wine() + " " + Quoted(WindowsPathOf(work_ / "app" / "vimaru-windows-host.exe")) + " " +
            Quoted(WindowsPathOf(picture)));
  ASSERT_EQ(hosted.exit, 0) << hosted.output;
  std::map<std::string, nlohmann::json> steps;
  for (const auto& line : JsonLines(hosted.output)) steps[line.value("step", "")] = line;

  EXPECT_EQ(steps["create"]["result"], 0) << hosted.output;
  EXPECT_EQ(steps["site"]["result"], 0) << hosted.output;
  EXPECT_EQ(steps["show"]["result"], 0) << hosted.output;
  // The toolbar hears the browser's events while it is sited, and only then.
  EXPECT_EQ(steps["show"]["sinks"], 1);
  EXPECT_EQ(steps["unsite"]["sinks"], 0);

  // The product's toolbar as the Linux tool hosts it: the module's own layout
  // resource, with every product command.
  constexpr char kShippedLayout[] =
      "res://C:\\Program Files\\Vimaru Group "
      "Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll/ToolBandLayout.xml";
  const CommandRun linux = Shell(std::string(VIMARU_TOOL) + " toolbar " + Quoted(kShippedLayout));
  ASSERT_EQ(linux.exit, 0);
  const auto expected = nlohmann::json::parse(linux.output)["buttons"];
  const auto& built = steps["toolbar"]["buttons"];
  ASSERT_EQ(built.size(), expected.size()) << hosted.output;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    for (const char* field : {"id", "style", "state", "text", "image"}) {
      EXPECT_EQ(built[i][field], expected[i][field]) << "button " << i << ", " << field;
    }
  }

  EXPECT_EQ(steps["categories"]["cacheFile"], true) << hosted.output;
  bool askedForCategories = false;
  for (const auto& request : service.Requests())
    askedForCategories |= request.operation == "GetCategoryList";
  EXPECT_TRUE(askedForCategories);
  EXPECT_GT(steps["categories"].value("categoryCount", 0), 0);

  EXPECT_EQ(steps["picture"]["written"], true);
  EXPECT_TRUE(fs::exists(picture));
  EXPECT_EQ(steps["unload"]["result"], 0) << "DllCanUnloadNow after the host let go";
}

TEST_F(WindowsDllUnderWine, TheBackendChecksPass) {
  for (const auto& entry : fs::directory_iterator(VIMARU_WINDOWS_CHECKS_DIR)) {
    if (entry.path().filename().string().find("BackendCheck.exe") == std::string::npos) continue;
    const CommandRun checked = Shell(Wine() + " " + Quoted(WindowsPathOf(entry.path())));
    EXPECT_EQ(checked.exit, 0) << entry.path().filename() << "\n" << checked.output;
  }
}

TEST_F(WindowsDllUnderWine, Regsvr32UnregisterRemovesTheEntries) {
  const CommandRun unregistered = Shell(Wine() + " regsvr32 /s /u " + Quoted(ModulePath()));
  ASSERT_EQ(unregistered.exit, 0) << unregistered.output;
  EXPECT_NE(
      Shell(Wine() + " reg query " + Quoted(std::string("HKCR\\CLSID\\") + kToolbarClsid)).exit, 0);
  const CommandRun toolbars =
      Shell(Wine() + " reg query 'HKLM\\Software\\Microsoft\\Internet Explorer\\Toolbar'");
  EXPECT_EQ(toolbars.output.find(kToolbarClsid), std::string::npos) << toolbars.output;
}

}  // namespace
