#include "framework/layout/LayoutBuilder.h"

#include <gtest/gtest.h>

#include <climits>

#include "framework/controls/ControlKinds.h"
#include "framework/layout/LayoutTestSupport.h"
#include "framework/layout/LayoutWords.h"

namespace framework {
namespace {

using testing::Layout;
using testing::LayoutTest;

TEST(LayoutWords, ElementKindsAreExactNamesInTableOrder) {
  struct Case {
    const char* name;
    int kind;
  };
  for (const Case& c :
       {Case{"separator", 0}, Case{"label", 1}, Case{"button", 2}, Case{"edit", 3},
        Case{"read-only", 4}, Case{"combo-box", 5}, Case{"menu", 6}, Case{"Button", -1},
        Case{"", -1}, Case{"readonly", -1}, Case{"menu ", -1}, Case{"toolband", -1}}) {
    EXPECT_EQ(ElementKindOf(c.name), c.kind) << c.name;
  }
}

TEST(LayoutWords, IntegersReadLikeAtoiAndSaturate) {
  struct Case {
    const char* text;
    int value;
  };
  for (const Case& c :
       {Case{"150", 150}, Case{"  42px", 42}, Case{"-7", -7}, Case{"+3", 3}, Case{"yes", 0},
        Case{"", 0}, Case{"- 1", 0}, Case{"0x10", 0}, Case{"99999999999999999999", INT_MAX},
        Case{"-99999999999999999999", INT_MIN}}) {
    EXPECT_EQ(ReadInteger(c.text), c.value) << c.text;
  }
}

TEST_F(LayoutTest, ButtonWithoutCommandBindsNopAndHasNoOwnCommand) {
  ASSERT_NE(Build(Layout("<button caption='Hi'/>")), nullptr);
  EXPECT_EQ(TopLevel(0).Command(), context_->FindCommand("ToolBand.Nop"));
  EXPECT_EQ(TopLevel(0).StyleWord(), 0x40000000u);
  EXPECT_EQ(TopLevel(0).Kind(), ControlKind::kButton);
  EXPECT_EQ(TopLevel(0).Caption(), "Hi");
}

TEST_F(LayoutTest, LeadingImageMenuOnlyInFirstPlace) {
  ASSERT_NE(Build(Layout("<menu image='215'/><menu image='215'/>")), nullptr);
  EXPECT_EQ(TopLevel(0).StyleWord(), 0x40000004u);
  EXPECT_EQ(TopLevel(1).StyleWord(), 0x40000000u);
}

TEST_F(LayoutTest, LeadingImageBitNeedsNoShownCaptionAndNoOtherBits) {
  struct Case {
    const char* menu;
    std::uint32_t style;
  };
  for (const Case& c : {Case{"<menu image='215' caption='Main' show-caption='yes'/>", 0x40000000u},
                        Case{"<menu image='215' caption='Main'/>", 0x40000004u},
                        Case{"<menu image='215' auto-size='yes'/>", 0x40000001u},
                        Case{"<menu image='215' toggle-button='yes'/>", 0x4000000Cu},
                        Case{"<menu/>", 0x40000000u}, Case{"<button image='215'/>", 0x40000000u}}) {
    ASSERT_NE(Build(Layout(c.menu)), nullptr);
    EXPECT_EQ(TopLevel(0).StyleWord(), c.style) << c.menu;
  }
}

TEST_F(LayoutTest, SeparatorsDoNotCountAsTheFirstControl) {
  ASSERT_NE(Build(Layout("<separator/><menu image='215'/>")), nullptr);
  EXPECT_EQ(TopLevel(0).Kind(), ControlKind::kSeparator);
  EXPECT_EQ(TopLevel(0).StyleWord(), 0x40000000u);
  EXPECT_EQ(TopLevel(1).StyleWord(), 0x40000004u);
}

TEST_F(LayoutTest, MixedButtonNoMakesTheWholeMenuOpenIt) {
  struct Case {
    const char* menu;
    std::uint32_t style;
  };
  for (const Case& c : {Case{"<menu command='Navigate' mixed-button='no'/>", 0x40000000u},
                        Case{"<menu command='Navigate' mixed-button='yes'/>", 0u},
                        Case{"<menu command='Navigate'/>", 0u},
                        Case{"<button command='Navigate' mixed-button='no'/>", 0u}}) {
    ASSERT_NE(Build(Layout("<separator/>" + std::string(c.menu))), nullptr);
    EXPECT_EQ(TopLevel(1).StyleWord(), c.style) << c.menu;
  }
}

TEST_F(LayoutTest, DisplayWordNeedsANonEmptyShownCaption) {
  struct Case {
    const char* button;
    std::uint32_t display;
  };
  for (const Case& c : {Case{"<button show-caption='yes'/>", 0u},
                        Case{"<button show-caption='yes' image='216'/>", 2u},
                        Case{"<button caption=' ' show-caption='yes'/>", 1u},
                        Case{"<button caption='A' show-caption='Yes'/>", 0u},
                        Case{"<button caption='A' show-caption='yes' image='x.bmp'/>", 3u}}) {
    ASSERT_NE(Build(Layout(c.button)), nullptr);
    EXPECT_EQ(TopLevel(0).DisplayWord(), c.display) << c.button;
  }
}

TEST_F(LayoutTest, DigitsOnlyImageIsAResourceAnythingElseAFileName) {
  ASSERT_NE(Build(Layout("<button image='216'/><button image='216.bmp'/><button image='-1'/>"
                         "<button/><menu><button/><button image='219'/></menu>")),
            nullptr);
  EXPECT_EQ(TopLevel(0).ImageResourceId(), 216);
  EXPECT_EQ(TopLevel(0).ImageFileName(), "");
  EXPECT_EQ(TopLevel(1).ImageFileName(), "216.bmp");
  EXPECT_EQ(TopLevel(1).ImageResourceId(), 0);
  EXPECT_EQ(TopLevel(2).ImageFileName(), "-1");
  EXPECT_EQ(TopLevel(3).ImageIndex(), -2);
  auto& menu = dynamic_cast<MenuControlC&>(TopLevel(4));
  // Inside a menu "no image" is resource id 0, not the toolbar's index -2.
  EXPECT_EQ(menu.Controls().at(0)->ImageIndex(), -1);
  EXPECT_EQ(menu.Controls().at(0)->ImageResourceId(), 0);
  EXPECT_EQ(menu.Controls().at(1)->ImageResourceId(), 219);
}

TEST_F(LayoutTest, DisabledMustParseAsNonZero) {
  ASSERT_NE(Build(Layout("<button disabled='1'/><button disabled='yes'/><button disabled=' 2x'/>")),
            nullptr);
  EXPECT_EQ(TopLevel(0).StyleWord() & 0x80000000u, 0x80000000u);
  EXPECT_EQ(TopLevel(1).StyleWord() & 0x80000000u, 0u);
  EXPECT_EQ(TopLevel(2).StyleWord() & 0x80000000u, 0x80000000u);
}

TEST_F(LayoutTest, UnknownElementsAndCommandsAreDroppedWithTheirSubtree) {
  ASSERT_NE(Build(Layout("<Button caption='skipped'/>"
                         "<button command='No.Such.Command'/>"
                         "<menu command='No.Such.Command'><button caption='inner'/></menu>"
                         "<toolbar/>"
                         "<label caption='kept'/>")),
            nullptr);
  ASSERT_EQ(context_->ToolBand()->Controls().size(), 1u);
  EXPECT_EQ(TopLevel(0).Kind(), ControlKind::kLabel);
  EXPECT_EQ(TopLevel(0).Caption(), "kept");
}

TEST_F(LayoutTest, IdsCreateSeparateInstancesAndPlainNamesShareTheDefault) {
  ASSERT_NE(Build(Layout("<button command='Navigate' id='Home'/>"
                         "<button command='Navigate' id='News'/>"
                         "<button command='Navigate'/><button command='Navigate'/>"
                         "<button command='Navigate' id='Home'/>")),
            nullptr);
  CommandI* home = TopLevel(0).Command();
  CommandI* news = TopLevel(1).Command();
  CommandI* shared = context_->FindCommand("Navigate");
  EXPECT_NE(home, news);
  EXPECT_NE(home, shared);
  EXPECT_EQ(context_->FindCommand("Home"), home);
  EXPECT_EQ(context_->FindCommand("News"), news);
  EXPECT_EQ(static_cast<CommandC*>(home)->Name(), "Home");
  EXPECT_EQ(TopLevel(2).Command(), shared);
  EXPECT_EQ(TopLevel(3).Command(), shared);
  // A repeated id finds the instance already registered under it.
  EXPECT_EQ(TopLevel(4).Command(), home);
}

TEST_F(LayoutTest, IdWithAProductNameFallsBackToLookupByName) {
  ASSERT_NE(Build(Layout("<button command='Product.Thing' id='x'/><button id='y'/>")), nullptr);
  // Product.Thing is not registered, so only the Nop instance under "y" remains.
  ASSERT_EQ(context_->ToolBand()->Controls().size(), 1u);
  EXPECT_EQ(context_->FindCommand("x"), nullptr);
  EXPECT_EQ(TopLevel(0).Command(), context_->FindCommand("y"));
}

TEST_F(LayoutTest, EveryAttributeReachesTheControl) {
  ASSERT_NE(Build(Layout("<combo-box command='Navigate' width='150' tooltip='Tip' "
                         "parameter='p' hotkey='Ctrl+F5' list='a##b' auto-size='yes' "
                         "fixed-list='yes'/><edit/><read-only/>")),
            nullptr);
  auto& combo = dynamic_cast<ComboBoxControlC&>(TopLevel(0));
  EXPECT_EQ(combo.Width(), 150);
  EXPECT_EQ(combo.TooltipText(), "Tip");
  EXPECT_EQ(combo.ParameterText(), "p");
  EXPECT_EQ(combo.HotKeyText(), "Ctrl+F5");
  EXPECT_EQ(combo.List(), "a##b");
  EXPECT_EQ(combo.StyleWord(), 0x3u);
  ASSERT_NE(combo.Element(), nullptr);
  EXPECT_EQ(combo.Element()->Attribute("parameter"), "p");
  EXPECT_EQ(TopLevel(1).Kind(), ControlKind::kEdit);
  EXPECT_EQ(TopLevel(2).Kind(), ControlKind::kReadOnly);
}

TEST_F(LayoutTest, NestedMenusBuildInDocumentOrder) {
  ASSERT_NE(Build(Layout("<menu caption='Top'><button caption='1'/><separator/>"
                         "<menu caption='Sub'><button caption='2'/></menu></menu>")),
            nullptr);
  auto& top = dynamic_cast<MenuControlC&>(TopLevel(0));
  ASSERT_EQ(top.Controls().size(), 3u);
  EXPECT_EQ(top.Controls()[1]->Kind(), ControlKind::kSeparator);
  auto& sub = dynamic_cast<MenuControlC&>(*top.Controls()[2]);
  ASSERT_EQ(sub.Controls().size(), 1u);
  EXPECT_EQ(sub.Controls()[0]->AsControl()->Caption(), "2");
}

TEST_F(LayoutTest, HugeAttributeValuesAreTakenWithoutHarm) {
  const std::string longText(100000, 'x');
  const std::string manyDigits(5000, '9');
  ASSERT_NE(Build(Layout("<button caption='" + longText + "' width='" + manyDigits + "' image='" +
                         manyDigits + "'/>")),
            nullptr);
  EXPECT_EQ(TopLevel(0).Caption().size(), longText.size());
  EXPECT_EQ(TopLevel(0).Width(), ControlC::kMaximumWidth);
  EXPECT_EQ(TopLevel(0).ImageResourceId(), INT_MAX);
}

}  // namespace
}  // namespace framework
