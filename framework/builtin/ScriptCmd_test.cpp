#include <gtest/gtest.h>

#include "framework/builtin/BuiltinCommands.h"
#include "framework/builtin/BuiltinPageFixture.h"
#include "framework/builtin/PageReadyWait.h"
#include "platform/clock/Clock.h"
#include "platform/ui/testing/RecordingWindow.h"

namespace framework {
namespace {

using platform::html::RecordedHtml;
using platform::html::ScriptRun;

class ScriptCmdTest : public testing::BuiltinPageTest {
 protected:
  void SetUp() override {
    BuiltinPageTest::SetUp();
    Initialise(javaScript_);
    Initialise(vbScript_);
    Open(u"C:\\Pages\\top.htm");
  }
  static std::vector<std::u16string> RunUrls() {
    std::vector<std::u16string> urls;
    for (const ScriptRun& run : RecordedHtml().scripts) urls.push_back(run.documentUrl);
    return urls;
  }

  JavaScriptCmdC javaScript_{"JavaScript"};
  VBScriptCmdC vbScript_{"VBScript"};
};

TEST_F(ScriptCmdTest, WithoutAnEntryTheScriptRunsAsWrittenInTheTopDocument) {
  Click(javaScript_, "<button script='' parameter='alert(1);'/>");
  ASSERT_EQ(RecordedHtml().scripts.size(), 1U);
  const ScriptRun run = RecordedHtml().scripts[0];
  EXPECT_EQ(run.code, u"alert(1);");
  EXPECT_EQ(run.language, u"javascript");
  EXPECT_NE(run.documentUrl.find(u"top.htm"), std::u16string::npos);
}

TEST_F(ScriptCmdTest, AnEntryIsCalledFirstAndTheFirstListedEntryWins) {
  Click(javaScript_, "<button script='function orvane_main(){} function orvane_run_once(){}'/>");
  ASSERT_EQ(RecordedHtml().scripts.size(), 1U);
  EXPECT_EQ(RecordedHtml().scripts[0].code,
            u"orvane_run_once();\nfunction orvane_main(){} function orvane_run_once(){}");
}

TEST_F(ScriptCmdTest, RunInAllFramesBeatsMainAndVisitsFramesDepthFirst) {
  Click(javaScript_,
        "<button script='function orvane_main(){} function orvane_run_in_all_frames(){}'/>");
  const std::vector<std::u16string> urls = RunUrls();
  ASSERT_EQ(urls.size(), 3U);
  EXPECT_NE(urls[0].find(u"inner.htm"), std::u16string::npos);
  EXPECT_NE(urls[1].find(u"side.htm"), std::u16string::npos);
  EXPECT_NE(urls[2].find(u"top.htm"), std::u16string::npos);
  EXPECT_EQ(RecordedHtml().scripts[0].code.rfind(u"orvane_run_in_all_frames();\n", 0), 0U);
}

TEST_F(ScriptCmdTest, VBScriptDropsCommentLinesAfterTheFirst) {
  Click(vbScript_,
        "<button parameter=\"Sub orvane_main&#10;  ' note&#10;\t'x&#10;MsgBox 1 ' keep&#10;End "
        "Sub\"/>");
  ASSERT_EQ(RecordedHtml().scripts.size(), 1U);
  EXPECT_EQ(RecordedHtml().scripts[0].code,
            u"orvane_main\nSub orvane_main\nMsgBox 1 ' keep\nEnd Sub");
  EXPECT_EQ(RecordedHtml().scripts[0].language, u"VBScript");
}

TEST_F(ScriptCmdTest, AScriptFileNextToTheLayoutIsReadAndExpanded) {
  Write("C:\\Toolbar\\tool.js", "go('##Search##');");
  context_.AddTextCommand("Search", "whale");
  Click(javaScript_, "<button script='tool.js'/>");
  ASSERT_EQ(RecordedHtml().scripts.size(), 1U);
  EXPECT_EQ(RecordedHtml().scripts[0].code, u"go('whale');");
}

TEST_F(ScriptCmdTest, AMissingOrEmptyScriptFileRunsNothing) {
  Write("C:\\Toolbar\\empty.vbs", "");
  Click(vbScript_, "<button script='empty.vbs'/>");
  Click(javaScript_, "<button script='missing.js'/>");
  EXPECT_TRUE(RecordedHtml().scripts.empty());
}

TEST_F(ScriptCmdTest, APageStillLoadingWhenTheLimitPassesRunsNothing) {
  platform::VirtualClock clock;
  browser_->HoldPageLoading(true);
  Open(u"C:\\Pages\\plain.htm");
  platform::ui::testing::MessageLog log;
  HWND window = platform::ui::testing::CreateRecordingWindow(log);
  log.handler = [&clock](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message != WM_APP) return std::nullopt;
    clock.Advance(kPageReadyLimitMs);
    return 0;
  };
  PostMessageW(window, WM_APP, 0, 0);
  Click(javaScript_, "<button script='f();'/>");
  EXPECT_TRUE(RecordedHtml().scripts.empty());
  DestroyWindow(window);
}

}  // namespace
}  // namespace framework
