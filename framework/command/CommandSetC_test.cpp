#include "framework/command/CommandSetC.h"

#include <gtest/gtest.h>

namespace framework {
namespace {

TEST(CommandSetC, SecondCommandUnderTakenNameLeavesFirstInPlace) {
  CommandSetC set;
  CommandC* first = set.Add(std::make_unique<CommandC>("Navigate"));
  CommandC* second = set.Add(std::make_unique<CommandC>("Navigate"));
  EXPECT_EQ(second, first);
  EXPECT_EQ(set.Find("Navigate"), first);
  EXPECT_EQ(set.Names(), std::vector<std::string>{"Navigate"});
}

TEST(CommandSetC, NamesKeepInsertionOrderAndLookupIsExact) {
  CommandSetC set;
  for (const char* name : {"b", "a", "c"}) set.Add(std::make_unique<CommandC>(name));
  EXPECT_EQ(set.Names(), (std::vector<std::string>{"b", "a", "c"}));
  EXPECT_EQ(set.Find("B"), nullptr);
  EXPECT_EQ(set.Find("a "), nullptr);
  EXPECT_NE(set.FindCommand("c"), nullptr);
}

TEST(CommandSetC, RemoveUnregistersAndFreesTheName) {
  CommandSetC set;
  CommandC* first = set.Add(std::make_unique<CommandC>("x"));
  set.Add(std::make_unique<CommandC>("y"));
  set.Remove(first);
  EXPECT_EQ(set.Find("x"), nullptr);
  EXPECT_EQ(set.Names(), std::vector<std::string>{"y"});
  CommandC* again = set.Add(std::make_unique<CommandC>("x"));
  EXPECT_EQ(set.Find("x"), again);
}

TEST(CommandSetC, RemovingAnUnregisteredCommandLeavesTheRegisteredOne) {
  CommandSetC set;
  CommandC* registered = set.Add(std::make_unique<CommandC>("x"));
  CommandC stranger("x");
  set.Remove(&stranger);
  EXPECT_EQ(set.Find("x"), registered);
}

}  // namespace
}  // namespace framework
