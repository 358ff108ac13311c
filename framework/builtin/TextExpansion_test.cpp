#include "framework/builtin/TextExpansion.h"

#include <gtest/gtest.h>

#include "framework/builtin/BuiltinTestSupport.h"

namespace framework {
namespace {

using testing::FakeTabContext;

TEST(TextExpansion, ReplacesThePlaceholderByTheCommandsCurrentText) {
  FakeTabContext context;
  context.AddTextCommand("VimaruIEToolbar.Search", "blue whale");
  EXPECT_EQ(ExpandPlaceholders("find ##VimaruIEToolbar.Search## now", &context),
            "find blue whale now");
}

TEST(TextExpansion, ExpandsEveryPlaceholderAndTextsThatNameFurtherCommands) {
  FakeTabContext context;
  context.AddTextCommand("A", "[##B##]");
  context.AddTextCommand("B", "b");
  EXPECT_EQ(ExpandPlaceholders("##A##-##B##", &context), "[b]-b");
}

TEST(TextExpansion, AnUnknownNameStaysAsWrittenAndEndsTheExpansion) {
  FakeTabContext context;
  context.AddTextCommand("Known", "k");
  EXPECT_EQ(ExpandPlaceholders("##Unknown## ##Known##", &context), "##Unknown## ##Known##");
  EXPECT_EQ(ExpandPlaceholders("##Known## ##Unknown##", &context), "k ##Unknown##");
}

TEST(TextExpansion, ALoneMarkerOrNoContextLeavesTheTextAlone) {
  FakeTabContext context;
  context.AddTextCommand("Known", "k");
  EXPECT_EQ(ExpandPlaceholders("a ## b", &context), "a ## b");
  EXPECT_EQ(ExpandPlaceholders("##Known##", nullptr), "##Known##");
}

TEST(TextExpansion, AnEmptyTextReplacesThePlaceholderByNothing) {
  FakeTabContext context;
  context.AddTextCommand("Empty", "");
  EXPECT_EQ(ExpandPlaceholders("x##Empty##y", &context), "xy");
}

TEST(TextExpansion, ASelfReferencingTextStopsAfterTheBoundedNumberOfPasses) {
  FakeTabContext context;
  context.AddTextCommand("Loop", "x##Loop##");
  const std::string expanded = ExpandPlaceholders("##Loop##", &context);
  EXPECT_EQ(expanded, std::string(kMaxExpansionPasses - 1, 'x') + "x##Loop##");
}

}  // namespace
}  // namespace framework
