#include "tools/regsvr/RegsvrCommandLine.h"

#include <gtest/gtest.h>

namespace tools::regsvr {
namespace {

TEST(RegsvrCommandLine, SwitchesInEitherFormAndCase) {
  std::string error;
  for (const auto& args : std::vector<std::vector<std::string_view>>{
           {"/u", "/s", "C:\\m.dll"}, {"-U", "-S", "C:\\m.dll"}, {"C:\\m.dll", "/S", "/U"}}) {
    const auto line = ParseRegsvrCommandLine(args, error);
    ASSERT_TRUE(line) << error;
    EXPECT_TRUE(line->unregister);
    EXPECT_TRUE(line->silent);
    EXPECT_EQ(line->module, "C:\\m.dll");
  }
}

TEST(RegsvrCommandLine, RegistersAloudWithoutSwitches) {
  std::string error;
  const auto line = ParseRegsvrCommandLine({"C:\\Program Files\\x.dll"}, error);
  ASSERT_TRUE(line) << error;
  EXPECT_FALSE(line->unregister);
  EXPECT_FALSE(line->silent);
  EXPECT_FALSE(line->root);
  EXPECT_FALSE(line->exportFile);
}

TEST(RegsvrCommandLine, RootAndExportTakeTheirValues) {
  std::string error;
  const auto line =
      ParseRegsvrCommandLine({"--root", "/tmp/r", "C:\\m.dll", "--export", "out.reg"}, error);
  ASSERT_TRUE(line) << error;
  EXPECT_EQ(line->root, "/tmp/r");
  EXPECT_EQ(line->exportFile, "out.reg");
  EXPECT_EQ(line->module, "C:\\m.dll");
}

TEST(RegsvrCommandLine, RefusesWhatRegsvrWouldNotRun) {
  const struct {
    std::vector<std::string_view> args;
    std::string error;
  } cases[] = {
      {{}, "no module named"},
      {{"/u", "/s"}, "no module named"},
      {{"a.dll", "b.dll"}, "one module only"},
      {{"/x", "a.dll"}, "unknown option /x"},
      {{"--verbose", "a.dll"}, "unknown option --verbose"},
      {{"a.dll", "--root"}, "--root needs a value"},
      {{"a.dll", "--export"}, "--export needs a value"},
  };
  for (const auto& refused : cases) {
    std::string error;
    EXPECT_FALSE(ParseRegsvrCommandLine(refused.args, error));
    EXPECT_EQ(error, refused.error);
  }
}

}  // namespace
}  // namespace tools::regsvr
