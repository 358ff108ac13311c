#include "platform/process/CommandLine.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, BlanksSeparateAndQuotesGroup) {
  EXPECT_EQ(SplitCommandLine("  a\tb  \"c d\"e "), (Args{"a", "b", "c de"}));
  EXPECT_EQ(SplitCommandLine(""), Args{});
  EXPECT_EQ(SplitCommandLine("\"\""), Args{""});
}

TEST(SplitCommandLine, BackslashesCountOnlyBeforeQuotes) {
  EXPECT_EQ(SplitCommandLine(R"(C:\dir\file.exe)"), (Args{R"(C:\dir\file.exe)"}));
  EXPECT_EQ(SplitCommandLine(R"(a\\\"b)"), (Args{R"(a\"b)"}));
  EXPECT_EQ(SplitCommandLine(R"("a\\" b)"), (Args{R"(a\)", "b"}));
}

TEST(SplitCommandLine, TheBrokerLineKeepsItsFieldsTogether) {
  EXPECT_EQ(SplitCommandLine("-shellexecute ##C:\\x.exe####5##0"),
            (Args{"-shellexecute", "##C:\\x.exe####5##0"}));
}

}  // namespace
}  // namespace platform
