#include "framework/controls/HotKey.h"

#include <gtest/gtest.h>

#include "framework/controls/ComboListText.h"

namespace framework {
namespace {

TEST(HotKey, ParsesModifiersAnywhereAndTheKeyAfterTheLastPlus) {
  struct Case {
    const char* text;
    HotKey expected;
  };
  const Case cases[] = {
      {"", {}},
      {"Ctrl+Shift+F5", {false, true, true, 116}},
      {"Alt+S", {true, false, false, 'S'}},
      {"Ctrl+a", {false, true, false, 0}},  // lower case sets no key
      {"F25", {false, false, false, 0}},
      {"F0", {false, false, false, 0}},
      {"F1", {false, false, false, 112}},
      {"F24", {false, false, false, 135}},
      {"F", {false, false, false, 'F'}},
      {"7", {false, false, false, '7'}},
      {"Shift+ Space ", {false, false, true, 32}},
      {"Ctrl+PageDown", {false, true, false, 34}},
      {"Ctrl+Delete", {false, true, false, 46}},
      {"Ctrl+delete", {false, true, false, 0}},     // names are case-sensitive
      {"Altogether+X", {true, false, false, 'X'}},  // "Alt" inside a word counts
      {"ctrl+X", {false, false, false, 'X'}},
      {"Ctrl+Shift+Tab", {false, true, true, 0}},
      {"Ctrl+", {false, true, false, 0}},
      {"Q", {false, false, false, 'Q'}},
      {"Ctrl+Alt+Shift+Home", {true, true, true, 36}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseHotKey(c.text), c.expected) << c.text;
  }
}

TEST(ComboListText, SplitsOnDoubleHashesAfterTheFirstCharacter) {
  struct Case {
    const char* list;
    std::vector<std::string> items;
  };
  const Case cases[] = {
      {"", {}},
      {"Google##Yahoo##Bing", {"Google", "Yahoo", "Bing"}},
      {"##Google##Yahoo", {"##Google##Yahoo"}},
      {"Google####Yahoo", {"Google", "##Yahoo"}},
      {"Google##", {"Google"}},
      {"#", {"#"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitListText(c.list), c.items) << c.list;
}

}  // namespace
}  // namespace framework
