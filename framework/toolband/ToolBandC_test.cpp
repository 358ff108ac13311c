#include "framework/toolband/ToolBandC.h"

#include <gtest/gtest.h>

#include "framework/controls/ControlKinds.h"
#include "framework/controls/ControlStyle.h"
#include "framework/toolband/ToolBandTestSupport.h"
#include "platform/threading/ThreadChecker.h"
#include "platform/ui/Rebar.h"

namespace framework {
namespace {

using testing::HoldAndPress;
using testing::OnOtherThreadWhilePumping;
using testing::ToolBandTest;

TEST_F(ToolBandTest, CreatesTheToolbarWithItsStylesFontCopyAndReflectionWindow) {
  ASSERT_NE(BuildToolbar("<button command='A' caption='A' show-caption='yes'/>", {"A"}), nullptr);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(Toolbar(), GWL_STYLE)), 0x5401994Du);
  EXPECT_EQ(SendMessageW(Toolbar(), TB_GETEXTENDEDSTYLE, 0, 0), 9);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Toolbar(), WM_GETFONT, 0, 0)), Band().Font());
  EXPECT_NE(Band().Font(), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  HWND reflection = Band().ReflectionWindow();
  EXPECT_EQ(platform::ui::WindowClassName(reflection), u"OrvaneReflectionWindow");
  EXPECT_EQ(GetDlgCtrlID(reflection), 8);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(reflection, GWL_STYLE)), WS_CHILD);
  EXPECT_EQ(Band().HookedRebar(), rebar_.Get());
}

TEST_F(ToolBandTest, TheReflectionWindowNamesItsToolbandAndNoOtherWindowDoes) {
  ASSERT_NE(BuildToolbar("<button command='A' caption='A'/>", {"A"}), nullptr);
  EXPECT_EQ(ToolBandReflectionC::ToolBandOf(Band().ReflectionWindow()), &Band());
  EXPECT_EQ(ToolBandReflectionC::ToolBandOf(Toolbar()), nullptr);
  EXPECT_EQ(ToolBandReflectionC::ToolBandOf(rebar_.Get()), nullptr);
  EXPECT_EQ(ToolBandReflectionC::ToolBandOf(nullptr), nullptr);
}

TEST_F(ToolBandTest, ButtonStylesFollowKindAndStyleWord) {
  ASSERT_NE(BuildToolbar("<menu image='logo.bmp'/>"             // leading image menu
                         "<menu command='A' caption='Split'/>"  // split drop-down
                         "<menu command='A' caption='Whole' mixed-button='no'/>"  // whole drop-down
                         "<separator/>"
                         "<button command='A' caption='Shown' show-caption='yes' image='icon.bmp'/>"
                         "<button command='A' caption='Hidden caption' image='icon.bmp'/>"
                         "<button command='A' toggle-button='yes' image='icon.bmp'/>"
                         "<label command='A' caption='Label'/>"
                         "<edit command='A' width='60'/>"
                         "<combo-box command='A' width='150'/>",
                         {"A"}),
            nullptr);
  const auto buttons = Buttons();
  ASSERT_EQ(buttons.size(), 10u);
  const BYTE expected[] = {
      BTNS_WHOLEDROPDOWN | BTNS_AUTOSIZE,
      BTNS_DROPDOWN | BTNS_AUTOSIZE | BTNS_SHOWTEXT,  // no image: text shows
      BTNS_WHOLEDROPDOWN | BTNS_AUTOSIZE | BTNS_SHOWTEXT,
      BTNS_SEP,
      BTNS_AUTOSIZE | BTNS_SHOWTEXT,
      BTNS_AUTOSIZE,
      BTNS_AUTOSIZE | BTNS_CHECK,
      BTNS_SHOWTEXT,
      BTNS_SEP,
      BTNS_SEP,
  };
  for (std::size_t i = 0; i < buttons.size(); ++i) EXPECT_EQ(buttons[i].style, expected[i]) << i;
  EXPECT_EQ(buttons[8].width, 60);
  EXPECT_EQ(buttons[9].width, 150);
  EXPECT_EQ(buttons[4].text, u"Shown");
  EXPECT_TRUE(buttons[4].textShown);
  EXPECT_FALSE(buttons[5].textShown);
  EXPECT_EQ(buttons[1].image, I_IMAGENONE);
  EXPECT_GE(buttons[4].image, 0);
}

TEST_F(ToolBandTest, StateFollowsTheCommandAndCheckedToggles) {
  ASSERT_NE(BuildToolbar("<button command='On' toggle-button='yes' caption='T'/>"
                         "<button command='Off' caption='D'/>",
                         {"On", "Off"}),
            nullptr);
  Command("Off").SetEnabled(false);
  Command("On").SetChecked(1);
  auto buttons = Buttons();
  EXPECT_EQ(buttons[0].state, TBSTATE_ENABLED | TBSTATE_CHECKED);
  EXPECT_EQ(buttons[1].state, 0);
  // A disabled toggle is never shown checked.
  Command("On").SetEnabled(false);
  EXPECT_EQ(Buttons()[0].state, 0);
}

TEST_F(ToolBandTest, ShownCaptionHandsTheButtonWidthPlusTwentyToTheControl) {
  ASSERT_NE(BuildToolbar("<button command='A' caption='Search' show-caption='yes'/>", {"A"}),
            nullptr);
  EXPECT_EQ(Band().Controls()[0]->Width(), Buttons()[0].width + 20);
}

TEST_F(ToolBandTest, SwitchedOffItemsHaveNoButtonAndComeBackInTheirPlace) {
  ASSERT_NE(BuildToolbar("<button command='A' caption='1'/>"
                         "<button command='A' caption='2' disabled='1'/>"
                         "<button command='A' caption='3'/>",
                         {"A"}),
            nullptr);
  const auto& controls = Band().Controls();
  const int first = controls[0]->ControlId();
  const int second = controls[1]->ControlId();
  const int third = controls[2]->ControlId();
  EXPECT_EQ(ButtonIds(), (std::vector<int>{first, third}));
  Band().ShowControl(1, true);
  EXPECT_EQ(ButtonIds(), (std::vector<int>{first, second, third}));
  Band().ShowControl(1, true);  // twice: still one button
  EXPECT_EQ(ButtonIds(), (std::vector<int>{first, second, third}));
  Band().ShowControl(0, false);
  EXPECT_EQ(ButtonIds(), (std::vector<int>{second, third}));
  EXPECT_NE(controls[0]->StyleWord() & style::kDisabled, 0u);
  Band().ShowControl(0, true);
  EXPECT_EQ(ButtonIds(), (std::vector<int>{first, second, third}));
  Band().ShowControl(7, false);  // no such control
  EXPECT_EQ(ButtonIds().size(), 3u);
}

TEST_F(ToolBandTest, HiddenWindowedControlsHideTheirWindow) {
  ASSERT_NE(BuildToolbar("<edit command='A' width='80' disabled='1'/>", {"A"}), nullptr);
  auto& edit = static_cast<EditControlC&>(*Band().Controls()[0]);
  EXPECT_FALSE(IsWindowVisible(edit.Window()));
  EXPECT_TRUE(Buttons().empty());
  Band().ShowControl(0, true);
  EXPECT_TRUE(IsWindowVisible(edit.Window()));
  RECT rect{};
  GetWindowRect(edit.Window(), &rect);
  EXPECT_EQ(rect.right - rect.left, 80 - 6);
}

TEST_F(ToolBandTest, AutoSizeSharesTheFreeWidthEqually) {
  ASSERT_NE(BuildToolbar("<edit command='A' width='100' auto-size='yes'/>"
                         "<separator/>"
                         "<combo-box command='A' width='150' auto-size='yes'/>"
                         "<read-only command='A' width='5'/>",
                         {"A"}),
            nullptr);
  // Counted: 100 + 0 (separator) + 150 + 10 (at least ten) = 260.
  Band().AutoSize(461);
  const auto buttons = Buttons();
  EXPECT_EQ(buttons[0].width, 100 + 100);
  EXPECT_EQ(buttons[2].width, 150 + 100);
  EXPECT_EQ(buttons[3].width, 5);
  Band().AutoSize(200);  // no room left: back to their own widths
  EXPECT_EQ(Buttons()[0].width, 100);
  Band().AutoSize(-5);
  EXPECT_EQ(Buttons()[0].width, 100);
}

TEST_F(ToolBandTest, ButtonClicksExecuteAndSplitMenusRunTheirCommand) {
  ASSERT_NE(
      BuildToolbar("<button command='Click' caption='C'/>"
                   "<menu command='Split' caption='S'><button command='Item' caption='I'/></menu>"
                   "<menu caption='W'><button command='Item' caption='I'/></menu>",
                   {"Click", "Split", "Item"}),
      nullptr);
  const auto& controls = Band().Controls();
  EXPECT_TRUE(platform::ui::ClickToolbarButton(Toolbar(), controls[0]->ControlId()));
  EXPECT_TRUE(platform::ui::ClickToolbarButton(Toolbar(), controls[1]->ControlId()));
  EXPECT_EQ(executed_, (std::vector<std::string>{"Click", "Split"}));

  // The split button's arrow opens its menu; the whole drop-down opens it on any click.
  auto& split = static_cast<MenuControlC&>(*controls[1]);
  platform::ui::ScriptMenuChoice(static_cast<UINT>(split.Controls()[0]->ControlId()));
  EXPECT_TRUE(platform::ui::ClickToolbarDropDownArrow(Toolbar(), split.ControlId()));
  auto& whole = static_cast<MenuControlC&>(*controls[2]);
  platform::ui::ScriptMenuChoice(static_cast<UINT>(whole.Controls()[0]->ControlId()));
  EXPECT_TRUE(platform::ui::ClickToolbarButton(Toolbar(), whole.ControlId()));
  EXPECT_EQ(executed_, (std::vector<std::string>{"Click", "Split", "Item", "Item"}));
}

TEST_F(ToolBandTest, LeadingImageMenuOpensItsMenuFromTheMainToolbar) {
  ASSERT_NE(BuildToolbar("<menu image='logo.bmp'><button command='Item' caption='I'/>"
                         "<menu caption='Sub'><button command='Deep' caption='D'/></menu></menu>",
                         {"Item", "Deep"}),
            nullptr);
  auto& menu = static_cast<MenuControlC&>(*Band().Controls()[0]);
  ASSERT_EQ(menu.StyleWord(), style::kNoOwnCommand | style::kLeadingImageMenu);
  EXPECT_GT(Buttons()[0].width, 0);
  auto& sub = static_cast<MenuControlC&>(*menu.Controls()[1]);
  platform::ui::ScriptMenuChoice(static_cast<UINT>(sub.Controls()[0]->ControlId()));
  EXPECT_TRUE(platform::ui::ClickToolbarButton(Toolbar(), menu.ControlId()));
  EXPECT_EQ(executed_, (std::vector<std::string>{"Deep"}));
  EXPECT_EQ(menu.PopupMenu(), nullptr);  // closed again
}

TEST_F(ToolBandTest, MenuItemsFollowTheirCommandWhileTheMenuIsOpen) {
  ASSERT_NE(BuildToolbar("<menu caption='M'><button command='Item' toggle-button='yes'/>"
                         "<separator/><button command='Off' caption='Off'/></menu>",
                         {"Item", "Off"}),
            nullptr);
  Command("Item").SetText("From command");
  Command("Off").SetEnabled(false);
  auto& menu = static_cast<MenuControlC&>(*Band().Controls()[0]);
  // Look at the menu while it is open: the tracking loop draws every item.
  platform::ui::ScriptMenuChoice(0);
  EXPECT_FALSE(menu.OpenMenu(Toolbar(), 0, 22));
  HMENU inspected = CreatePopupMenu();
  for (const auto& child : menu.Controls()) child->AsControl()->AddToMenu(inspected, -1);
  const auto items = platform::ui::InspectMenu(inspected);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].text, u"From command");
  EXPECT_EQ(items[1].type, MFT_SEPARATOR);
  EXPECT_NE(items[2].state & MFS_GRAYED, 0u);
  DestroyMenu(inspected);
}

TEST_F(ToolBandTest, HotKeysGoToTheFirstControlThatClaimsThem) {
  ASSERT_NE(BuildToolbar("<label command='Label' caption='L' hotkey='Ctrl+K'/>"
                         "<button command='First' caption='1' hotkey='Ctrl+K'/>"
                         "<button command='Second' caption='2' hotkey='Ctrl+K'/>"
                         "<button command='Third' caption='3' hotkey='Alt+Shift+F5'/>",
                         {"Label", "First", "Second", "Third"}),
            nullptr);
  EXPECT_TRUE(Band().DispatchHotKey(false, true, false, 'K'));
  EXPECT_FALSE(Band().DispatchHotKey(false, true, true, 'K'));
  EXPECT_EQ(executed_, (std::vector<std::string>{"First"}));

  // Through the thread's keyboard hook: once per press, not again on
  // release. The hook reads the modifiers as they are held now, so the
  // messages are handled while the keys are down.
  executed_.clear();
  HoldAndPress({VK_CONTROL}, 'K');
  HoldAndPress({VK_MENU, VK_SHIFT}, VK_F1 + 4);
  EXPECT_EQ(executed_, (std::vector<std::string>{"First", "Third"}));
}

TEST_F(ToolBandTest, KeyboardHookIsRemovedAtShutDown) {
  ASSERT_NE(BuildToolbar("<button command='A' caption='A' hotkey='Ctrl+K'/>", {"A"}), nullptr);
  context_->ShutDown();
  HoldAndPress({VK_CONTROL}, 'K');
  EXPECT_TRUE(executed_.empty());
}

TEST_F(ToolBandTest, FirstRunPutsTheBandOnARowOfItsOwn) {
  REBARBANDINFOW band{};
  band.cbSize = sizeof(band);
  band.fMask = RBBIM_CHILD;
  band.hwndChild = bandSite_;
  ASSERT_TRUE(SendMessageW(rebar_.Get(), RB_INSERTBANDW, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(&band)));
  ASSERT_TRUE(platform::ui::SetRebarBandClassId(rebar_.Get(), 0,
                                                u"{AAAA0000-0000-0000-0000-000000000001}"));
  ASSERT_NE(BuildToolbar("<button command='A' caption='A'/>", {"A"}), nullptr);
  Band().PresentForFirstTime("{aaaa0000-0000-0000-0000-000000000001}");
  REBARBANDINFOW read{};
  read.cbSize = sizeof(read);
  read.fMask = RBBIM_STYLE;
  ASSERT_TRUE(SendMessageW(rebar_.Get(), RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&read)));
  EXPECT_NE(read.fStyle & RBBS_BREAK, 0u);
}

TEST_F(ToolBandTest, RemoveAllEmptiesTheToolbarAndItsImageLists) {
  ASSERT_NE(
      BuildToolbar("<button command='A' image='icon.bmp'/><button command='A' image='logo.bmp'/>",
                   {"A"}),
      nullptr);
  EXPECT_NE(SendMessageW(Toolbar(), TB_GETIMAGELIST, 0, 0), 0);
  EXPECT_NE(SendMessageW(Toolbar(), TB_GETDISABLEDIMAGELIST, 0, 0), 0);
  Band().RemoveAllControls();
  EXPECT_EQ(SendMessageW(Toolbar(), TB_BUTTONCOUNT, 0, 0), 0);
  EXPECT_TRUE(Band().Controls().empty());
  EXPECT_EQ(SendMessageW(Toolbar(), TB_GETIMAGELIST, 0, 0), 0);
}

TEST_F(ToolBandTest, RemovingAFocusedFieldIsSafe) {
  ASSERT_NE(BuildToolbar("<edit command='A' width='80'/><button command='A' caption='B'/>", {"A"}),
            nullptr);
  auto& edit = static_cast<EditControlC&>(*Band().Controls()[0]);
  ASSERT_TRUE(edit.Activate());
  EXPECT_EQ(Band().FocusedControl(), &edit);
  Band().RemoveAllControls();  // the field reports its lost focus while it goes
  EXPECT_EQ(Band().FocusedControl(), nullptr);
}

TEST_F(ToolBandTest, UnloadableImageLeavesATextButton) {
  ASSERT_NE(BuildToolbar("<button command='A' caption='Missing' image='nothere.bmp'/>", {"A"}),
            nullptr);
  EXPECT_EQ(Buttons()[0].image, I_IMAGENONE);
  EXPECT_NE(Buttons()[0].style & BTNS_SHOWTEXT, 0);
}

TEST_F(ToolBandTest, ButtonTextFollowsTheCommandAndRelaysOut) {
  ASSERT_NE(BuildToolbar("<button command='A' caption='x' show-caption='yes' image='icon.bmp'/>"
                         "<edit command='A' width='50'/>",
                         {"A"}),
            nullptr);
  auto& edit = static_cast<EditControlC&>(*Band().Controls()[1]);
  RECT before{};
  GetWindowRect(edit.Window(), &before);
  Command("A").SetText("Longer text");
  EXPECT_EQ(Buttons()[0].text, u"Longer text");
  RECT after{};
  GetWindowRect(edit.Window(), &after);
  EXPECT_GT(after.left, before.left);  // the edit moved right with the wider button
  Command("A").SetText("");
  EXPECT_EQ(Buttons()[0].text, u"");  // the caption is gone for good
}

using ToolBandDeathTest = ToolBandTest;

// A command's state changed from a worker thread reaches the control's
// notice, which would touch the toolbar from the wrong thread.
TEST_F(ToolBandDeathTest, ACommandNoticeFromAnotherThreadAbortsInTheControl) {
  if (!platform::kThreadChecksOn) GTEST_SKIP() << "thread checks are compiled out of this build";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  ASSERT_NE(BuildToolbar("<button command='A' caption='A'/>", {"A"}), nullptr);
  CommandC& command = Command("A");
  EXPECT_DEATH(OnOtherThreadWhilePumping([&] { command.SetEnabled(false); }),
               "ButtonControlC::OnEnabledChanged.*called on a thread other than the one "
               "threadChecker_ is bound to");
}

TEST_F(ToolBandDeathTest, LayingOutFromAnotherThreadAborts) {
  if (!platform::kThreadChecksOn) GTEST_SKIP() << "thread checks are compiled out of this build";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  ASSERT_NE(BuildToolbar("<button command='A' caption='A'/>", {"A"}), nullptr);
  ToolBandC& band = Band();
  EXPECT_DEATH(OnOtherThreadWhilePumping([&] { band.LayoutControls(); }),
               "ToolBandC::LayoutControls.*called on a thread other than");
}

}  // namespace
}  // namespace framework
