#include "tools/browser/HostScript.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/ui/Keyboard.h"
#include "tools/browser/KeyChord.h"

namespace browserhost {
namespace {

ParsedScript Parse(const std::string& text) {
  std::istringstream in(text);
  return ParseHostScript(in);
}

template <typename Step>
const Step& Only(const ParsedScript& script) {
  EXPECT_FALSE(script.error) << script.error->message;
  EXPECT_EQ(script.steps.size(), 1u);
  return std::get<Step>(script.steps.at(0).action);
}

TEST(HostScript, EveryStepParsesWithItsLineNumberAndText) {
  const ParsedScript script = Parse(
      "# a session\n"
      "register\n"
      "\n"
      "open http://127.0.0.1:8080/public/index.html   # the site\n"
      "navigate http://127.0.0.1:8080/b\n"
      "window 2\n"
      "click Login\n"
      "click Vimaru > Help\n"
      "type AT&T c++\n"
      "key Ctrl+Shift+F5\n"
      "dialog login a@b.com \"pass word\" 3 blue keep ok\n"
      "wait 5000\n"
      "state\n"
      "picture after-login\n"
      "close\n"
      "unregister\n");
  ASSERT_FALSE(script.error) << script.error->message;
  ASSERT_EQ(script.steps.size(), 14u);
  EXPECT_EQ(script.steps[0].line, 2);
  EXPECT_EQ(script.steps[1].line, 4);
  EXPECT_EQ(script.steps[1].text, "open http://127.0.0.1:8080/public/index.html");
  EXPECT_EQ(std::get<OpenStep>(script.steps[1].action).url,
            "http://127.0.0.1:8080/public/index.html");
  EXPECT_TRUE(std::get<OpenStep>(script.steps[1].action).newWindow);
  EXPECT_FALSE(std::get<OpenStep>(script.steps[2].action).newWindow);
  EXPECT_EQ(std::get<WindowStep>(script.steps[3].action).number, 2);
  EXPECT_EQ(std::get<ClickStep>(script.steps[4].action).name, "Login");
  EXPECT_FALSE(std::get<ClickStep>(script.steps[4].action).item);
  EXPECT_EQ(std::get<ClickStep>(script.steps[5].action).name, "Vimaru");
  EXPECT_EQ(std::get<ClickStep>(script.steps[5].action).item, "Help");
  EXPECT_EQ(std::get<TypeStep>(script.steps[6].action).text, "AT&T c++");
  const auto& login = std::get<LoginDialogStep>(script.steps[8].action);
  EXPECT_EQ(login.email, "a@b.com");
  EXPECT_EQ(login.password, "pass word");
  EXPECT_EQ(login.question, 3);
  EXPECT_EQ(login.answer, "blue");
  EXPECT_TRUE(login.keepLoggedIn);
  EXPECT_TRUE(login.confirm);
  EXPECT_EQ(std::get<WaitStep>(script.steps[9].action).milliseconds, 5000);
  EXPECT_EQ(std::get<PictureStep>(script.steps[11].action).name, "after-login");
  EXPECT_TRUE(std::get<RegisterStep>(script.steps[13].action).unregister);
}

TEST(HostScript, TypedTextKeepsQuotesBlanksAndAHashWhenQuoted) {
  EXPECT_EQ(Only<TypeStep>(Parse("type \"  #1 deal  \"\n")).text, "  #1 deal  ");
  EXPECT_EQ(Only<TypeStep>(Parse("type 5\" screen\n")).text, "5\" screen");
  EXPECT_EQ(Only<ClickStep>(Parse("click  My Money \n")).name, "My Money");
}

TEST(HostScript, ABadLineStopsTheParseWithItsNumberAndWhatIsWrong) {
  const struct {
    const char* line;
    const char* message;
  } cases[] = {
      {"fly away", "unknown step 'fly'"},
      {"open", "open takes one URL"},
      {"open a b", "open takes one URL"},
      {"window 0", "window takes a window's number, from 1"},
      {"wait -1", "wait takes milliseconds, 0 to 86400000"},
      {"wait 10s", "wait takes milliseconds, 0 to 86400000"},
      {"key Ctrl+Hyper+X", "unknown key Ctrl+Hyper+X"},
      {"click Menu > ", "click MENU > ITEM needs both names"},
      {"dialog login a b 9 c keep ok", "the question is its list position, 1 to 8, or 0 for none"},
      {"dialog login a b 1 c maybe ok", "expected keep or nokeep"},
      {"dialog login a b 1 c keep later", "expected ok or cancel"},
      {"picture ../up", "picture takes a file name without a directory"},
      {"register now", "register takes nothing"},
      {"open \"http://x", "a double quote is not closed"},
  };
  for (const auto& bad : cases) {
    const ParsedScript script = Parse(std::string("state\n# fine\n") + bad.line + "\nstate\n");
    ASSERT_TRUE(script.error) << bad.line;
    EXPECT_EQ(script.error->line, 3) << bad.line;
    EXPECT_EQ(script.error->message, bad.message) << bad.line;
    EXPECT_EQ(script.steps.size(), 1u) << "the steps before the bad line are kept";
  }
}

TEST(HostScript, AnOverlongLineIsRefused) {
  const ParsedScript script = Parse("type " + std::string(70000, 'x') + "\n");
  ASSERT_TRUE(script.error);
  EXPECT_EQ(script.error->line, 1);
}

TEST(KeyChord, NamesModifiersAndKeysWithoutRegardToCase) {
  const auto chord = ParseKeyChord("ctrl+SHIFT+f5");
  ASSERT_TRUE(chord);
  EXPECT_EQ(chord->modifiers, (std::vector<int>{VK_CONTROL, VK_SHIFT}));
  EXPECT_EQ(chord->key, VK_F1 + 4);
  EXPECT_EQ(ParseKeyChord("Enter")->key, VK_RETURN);
  EXPECT_EQ(ParseKeyChord("Down")->key, VK_DOWN);
  EXPECT_EQ(ParseKeyChord("Alt+s")->key, 'S');
  EXPECT_EQ(ParseKeyChord("Alt+s")->modifiers, std::vector<int>{VK_MENU});
  EXPECT_EQ(ParseKeyChord("7")->key, '7');
  EXPECT_EQ(ParseKeyChord("F24")->key, VK_F24);
}

TEST(KeyChord, RefusesWhatNamesNoKey) {
  for (const char* bad :
       {"", "+", "Ctrl+", "Ctrl+Ctrl+A", "F0", "F25", "Fx", "Shift+Hyper", "AB"}) {
    EXPECT_FALSE(ParseKeyChord(bad)) << bad;
  }
}

}  // namespace
}  // namespace browserhost
