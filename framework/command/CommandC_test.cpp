#include "framework/command/CommandC.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/command/CommandObserverI.h"
#include "framework/controls/ControlKinds.h"
#include "platform/resources/ModuleResources.h"
#include "platform/xml/XmlDocument.h"

namespace framework {
namespace {

// Records every notice it hears, in order.
class RecordingObserver : public CommandObserverI {
 public:
  void OnEnabledChanged() override { notices.push_back("enabled"); }
  void OnImageChanged() override { notices.push_back("image"); }
  void OnTooltipNotice() override { notices.push_back("tooltip"); }
  void OnTextChanged() override { notices.push_back("text"); }
  void OnSelectionChanged() override { notices.push_back("selection"); }
  void OnCheckedChanged() override { notices.push_back("checked"); }
  std::vector<std::string> notices;
};

// Records which hooks the public entries reached, and with what.
class RecordingCommand : public CommandC {
 public:
  using CommandC::CommandC;
  void OnExecute() override { calls.push_back("execute checked=" + std::to_string(Checked())); }
  void OnExecuteWithText(const std::string& text) override {
    calls.push_back("execute-with-text " + text);
  }
  void ExecuteWithParameter(const std::string& parameter) override {
    calls.push_back("parameter " + parameter);
    CommandC::ExecuteWithParameter(parameter);
  }
  void ExecuteWithTextAndParameter(const std::string& text, const std::string& parameter) override {
    calls.push_back("text+parameter " + text + "|" + parameter);
    CommandC::ExecuteWithTextAndParameter(text, parameter);
  }
  std::vector<std::string> calls;
};

// A 1x1 24-bit .bmp file.
std::string OnePixelBitmap() {
  std::string bmp = {'B', 'M'};
  auto put32 = [&bmp](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bmp.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  auto put16 = [&bmp](std::uint16_t v) {
    bmp.push_back(static_cast<char>(v & 0xFF));
    bmp.push_back(static_cast<char>(v >> 8));
  };
  put32(14 + 40 + 4);
  put32(0);
  put32(14 + 40);
  put32(40);
  put32(1);
  put32(1);
  put16(1);
  put16(24);
  put32(0);
  put32(4);
  put32(0);
  put32(0);
  put32(0);
  put32(0);
  bmp += std::string("\x10\x20\x30\x00", 4);
  return bmp;
}

TEST(CommandC, StartsDisabledUncheckedWithNothingSelected) {
  CommandC command("X");
  EXPECT_FALSE(command.IsEnabled());
  EXPECT_EQ(command.Checked(), 0);
  EXPECT_EQ(command.SelectedIndex(), -1);
  EXPECT_EQ(command.ImageMaskColour(), 0xE2F0F0u);
  EXPECT_EQ(command.ImageBitmap(), nullptr);
}

TEST(CommandC, ToggleTurnsOnlyExactlyOneIntoZero) {
  struct Case {
    int before;
    int after;
  };
  for (const Case& c : {Case{0, 1}, Case{1, 0}, Case{2, 1}, Case{-1, 1}}) {
    RecordingCommand command("Toggle");
    command.SetChecked(c.before);
    RecordingObserver observer;
    command.AddObserver(&observer);
    command.ToggleAndExecute(nullptr);
    EXPECT_EQ(command.Checked(), c.after) << "from " << c.before;
    // The command runs with the new state, and observers hear of it after.
    EXPECT_EQ(command.calls, (std::vector<std::string>{
                                 "parameter ", "execute checked=" + std::to_string(c.after)}));
    EXPECT_EQ(observer.notices, std::vector<std::string>{"checked"});
    command.RemoveObserver(&observer);
  }
}

TEST(CommandC, ChoosingUnknownTextKeepsSelectionAndStillExecutes) {
  RecordingCommand command("Search");
  command.InsertItem("alpha");
  command.InsertItem("beta");
  command.SetSelectedIndex(1);
  RecordingObserver observer;
  command.AddObserver(&observer);

  command.ChooseText("gamma", nullptr);

  EXPECT_EQ(command.Text(), "gamma");
  EXPECT_EQ(command.SelectedIndex(), 1);
  EXPECT_EQ(command.calls,
            (std::vector<std::string>{"text+parameter gamma|", "execute-with-text gamma"}));
  EXPECT_EQ(observer.notices, (std::vector<std::string>{"text", "selection"}));
  command.RemoveObserver(&observer);
}

TEST(CommandC, ChoosingKnownTextSelectsItsFirstOccurrence) {
  CommandC command("Search");
  for (const char* item : {"a", "b", "a"}) command.InsertItem(item);
  command.ChooseText("a", nullptr);
  EXPECT_EQ(command.SelectedIndex(), 0);
  command.ChooseText("A", nullptr);  // exact comparison
  EXPECT_EQ(command.SelectedIndex(), 0);
}

TEST(CommandC, ExecuteReadsParameterFromTheControlsElement) {
  auto document = platform::XmlDocument::Create();
  ASSERT_EQ(document->LoadBytes("<button parameter='about:blank'/>"), platform::XmlLoadResult::kOk);
  RecordingCommand command("Navigate");
  ButtonControlC button(&command, "Go");
  button.SetElement(*document->DocumentElement());

  command.Execute(&button);
  command.ExecuteWithText("typed", &button);

  EXPECT_EQ(command.calls, (std::vector<std::string>{"parameter about:blank", "execute checked=0",
                                                     "text+parameter typed|about:blank",
                                                     "execute-with-text typed"}));
}

TEST(CommandC, SettersNotifyOnlyOnChange) {
  CommandC command("X");
  RecordingObserver observer;
  command.AddObserver(&observer);
  command.SetEnabled(false);
  command.SetChecked(0);
  command.SetText("");
  EXPECT_TRUE(observer.notices.empty());
  command.SetEnabled(true);
  command.SetEnabled(true);
  command.SetChecked(-1);
  command.SetChecked(-1);
  command.SetText("hello");
  command.SetText("hello");
  command.SetTextQuietly("quiet");
  EXPECT_EQ(observer.notices, (std::vector<std::string>{"enabled", "checked", "text"}));
  EXPECT_EQ(command.Text(), "quiet");
  command.RemoveObserver(&observer);
}

TEST(CommandC, SameImageAgainNeitherReloadsNorNotifies) {
  platform::ScopedModuleResources resources({{"BITMAP", "", 215, OnePixelBitmap()}});
  CommandC command("X");
  RecordingObserver observer;
  command.AddObserver(&observer);

  command.SetImage(215);
  const platform::Bitmap* loaded = command.ImageBitmap();
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->width, 1);
  command.SetImage(215);
  EXPECT_EQ(command.ImageBitmap(), loaded);
  EXPECT_EQ(observer.notices, std::vector<std::string>{"image"});

  command.SetImage(215, 0x00FF00);  // a new mask colour alone counts as a change
  EXPECT_EQ(command.ImageMaskColour(), 0x00FF00u);
  EXPECT_EQ(observer.notices, (std::vector<std::string>{"image", "image"}));

  command.SetImage(9999);  // no such resource: no bitmap, but the id is kept
  EXPECT_EQ(command.ImageResourceId(), 9999);
  EXPECT_EQ(command.ImageBitmap(), nullptr);
  command.RemoveObserver(&observer);
}

TEST(CommandC, SelectedIndexTakesItemTextOnlyWhenInRange) {
  CommandC command("X");
  command.InsertItem("one");
  command.InsertItem("two");
  command.SetText("typed");
  RecordingObserver observer;
  command.AddObserver(&observer);

  for (int outOfRange : {-1, 2, 100}) {
    command.SetSelectedIndex(outOfRange);
    EXPECT_EQ(command.Text(), "typed");
    EXPECT_EQ(command.SelectedIndex(), outOfRange);
  }
  command.SetSelectedIndex(1);
  EXPECT_EQ(command.Text(), "two");
  EXPECT_EQ(observer.notices.size(), 4u);  // a selection notice every time
  command.RemoveObserver(&observer);
}

TEST(CommandC, InsertItemAppendsInsertsAndClamps) {
  CommandC command("X");
  command.InsertItem("b");
  command.InsertItem("a", 0);
  command.InsertItem("z", 99);
  command.InsertItem("m", 2);
  EXPECT_EQ(command.Items(), (std::vector<std::string>{"a", "b", "m", "z"}));
}

TEST(CommandC, ClearItemsDeselectsFirstThenEmpties) {
  CommandC command("X");
  command.InsertItem("one");
  command.SetSelectedIndex(0);
  RecordingObserver observer;
  command.AddObserver(&observer);
  command.ClearItems();
  EXPECT_EQ(command.SelectedIndex(), -1);
  EXPECT_TRUE(command.Items().empty());
  EXPECT_EQ(observer.notices, std::vector<std::string>{"selection"});
  command.RemoveObserver(&observer);
}

TEST(CommandC, RemoveObserverRemovesEveryOccurrence) {
  CommandC command("X");
  RecordingObserver twice;
  RecordingObserver once;
  command.AddObserver(&twice);
  command.AddObserver(&once);
  command.AddObserver(&twice);
  command.SetEnabled(true);
  EXPECT_EQ(twice.notices.size(), 2u);
  command.RemoveObserver(&twice);
  command.SetEnabled(false);
  EXPECT_EQ(twice.notices.size(), 2u);
  EXPECT_EQ(once.notices.size(), 2u);
  command.RemoveObserver(&once);
}

// An observer that, when told, destroys another observer's binding.
class UnbindingObserver : public RecordingObserver {
 public:
  UnbindingObserver(CommandC& command, CommandObserverI* victim)
      : command_(command), victim_(victim) {}
  void OnTextChanged() override {
    RecordingObserver::OnTextChanged();
    command_.RemoveObserver(victim_);
    command_.RemoveObserver(this);
  }

 private:
  CommandC& command_;
  CommandObserverI* victim_;
};

TEST(CommandC, ObserverLeavingDuringNoticeIsNotCalledAfterwards) {
  CommandC command("X");
  RecordingObserver victim;
  UnbindingObserver unbinder(command, &victim);
  command.AddObserver(&unbinder);
  command.AddObserver(&victim);
  command.SetText("changed");
  EXPECT_EQ(unbinder.notices.size(), 1u);
  EXPECT_TRUE(victim.notices.empty());
}

}  // namespace
}  // namespace framework
