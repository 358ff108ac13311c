#include <gtest/gtest.h>

#include "framework/builtin/BuiltinCommands.h"
#include "framework/builtin/BuiltinPageFixture.h"
#include "platform/html/HtmlDialog.h"

namespace framework {
namespace {

using platform::html::RecordedHtml;

class DialogCmdTest : public testing::BuiltinPageTest {
 protected:
  void SetUp() override {
    BuiltinPageTest::SetUp();
    Initialise(command_);
  }
  void TearDown() override {
    platform::html::SetHtmlDialogAvailable(true);
    BuiltinPageTest::TearDown();
  }

  DialogCmdC command_{"Dialog"};
};

TEST_F(DialogCmdTest, AFileNameOpensTheLowerCasedPageWithTheGivenSize) {
  Click(command_, "<button filename='About.HTM' dialog-width='420' dialog-height='200'/>");
  ASSERT_EQ(RecordedHtml().dialogs.size(), 1U);
  const platform::html::DialogShown dialog = RecordedHtml().dialogs[0];
  EXPECT_EQ(dialog.url, u"file://c:\\toolbar/about.htm");
  EXPECT_EQ(dialog.options, u"dialogHeight:200px;dialogWidth:420px;status=no;help=off");
  EXPECT_EQ(dialog.owner, HostWindow());
  EXPECT_FALSE(dialog.hadArgument);
}

TEST_F(DialogCmdTest, SizesBelowTheirMinimumKeepTheDefaults) {
  Click(command_, "<button filename='a.htm' dialog-width='0' dialog-height='-5'/>");
  ASSERT_EQ(RecordedHtml().dialogs.size(), 1U);
  EXPECT_EQ(RecordedHtml().dialogs[0].options,
            u"dialogHeight:160px;dialogWidth:340px;status=no;help=off");
}

TEST_F(DialogCmdTest, TheParameterFormCarriesWidthHeightAndFile) {
  Click(command_, "<button parameter='500##300##Form.htm'/>");
  ASSERT_EQ(RecordedHtml().dialogs.size(), 1U);
  EXPECT_EQ(RecordedHtml().dialogs[0].url, u"file://c:\\toolbar/form.htm");
  EXPECT_EQ(RecordedHtml().dialogs[0].options,
            u"dialogHeight:300px;dialogWidth:500px;status=no;help=off");
}

TEST_F(DialogCmdTest, AParameterWithoutSizesIsTheFileName) {
  Click(command_, "<button parameter='##only.htm'/>");
  ASSERT_EQ(RecordedHtml().dialogs.size(), 1U);
  EXPECT_EQ(RecordedHtml().dialogs[0].url, u"file://c:\\toolbar/##only.htm");
  EXPECT_EQ(RecordedHtml().dialogs[0].options,
            u"dialogHeight:160px;dialogWidth:340px;status=no;help=off");
}

TEST_F(DialogCmdTest, NothingHappensWithoutTheDialogFacility) {
  platform::html::SetHtmlDialogAvailable(false);
  Click(command_, "<button filename='a.htm'/>");
  EXPECT_TRUE(RecordedHtml().dialogs.empty());
}

}  // namespace
}  // namespace framework
