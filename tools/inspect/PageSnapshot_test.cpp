#include "tools/inspect/PageSnapshot.h"

#include <gtest/gtest.h>

#include "platform/automation/Bstr.h"
#include "platform/files/FileSystem.h"

namespace tools {
namespace {

using platform::html::RangeAction;

class PageSnapshotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::MakeDirectories("C:\\Pages"));
    ASSERT_TRUE(platform::WriteWholeFile(
        "C:\\Pages\\top.htm",
        "<body><span id='orvane-highlight-1'>one</span> <span "
        "id='note'>two</span>"
        "<iframe src='side.htm'></iframe><b id='orvane-highlight-2'>bold</b>"
        "<span id='orvane-highlight-3'>three</span></body>"));
    ASSERT_TRUE(platform::WriteWholeFile(
        "C:\\Pages\\side.htm", "<body>Side <span id='orvane-highlight-4'>text</span></body>"));
    ASSERT_EQ(browser_->Navigate(platform::Bstr(u"C:\\Pages\\top.htm").Get(), nullptr, nullptr,
                                 nullptr, nullptr),
              S_OK);
  }
  void TearDown() override { browser_->Quit(); }

  platform::ScopedFileSystemRoot root_;
  platform::ComPtr<platform::BrowserObject> browser_ = platform::CreateBrowserWindow();
};

TEST_F(PageSnapshotTest, OnlySpansWithTheHighlightMarkerCountInTheTopDocumentThenItsFrames) {
  const std::vector<HighlightSpan> spans = HighlightSpans(*browser_);
  ASSERT_EQ(spans.size(), 3U);
  EXPECT_EQ(spans[0].id, u"orvane-highlight-1");
  EXPECT_EQ(spans[0].text, u"one");
  EXPECT_EQ(spans[0].document, u"C:\\Pages\\top.htm");
  EXPECT_EQ(spans[1].id, u"orvane-highlight-3");
  EXPECT_EQ(spans[1].text, u"three");
  EXPECT_EQ(spans[2].id, u"orvane-highlight-4");
  EXPECT_EQ(spans[2].text, u"text");
  EXPECT_EQ(spans[2].document, u"C:\\Pages\\side.htm");
}

TEST_F(PageSnapshotTest, DocumentTextFindsFramesByAddress) {
  EXPECT_EQ(DocumentText(*browser_, u"C:\\Pages\\side.htm"), u"Side text");
  EXPECT_EQ(DocumentText(*browser_, u"C:\\Pages\\top.htm"), PageText(*browser_));
  EXPECT_EQ(DocumentText(*browser_, u"C:\\Pages\\missing.htm"), u"");
}

TEST(PageSnapshot, TheLastSelectionIsTheLastRangeSelectedNotScrolled) {
  platform::html::HtmlJournal journal;
  EXPECT_FALSE(LastSelection(journal));
  journal.rangeActions = {{RangeAction::Kind::kSelect, u"a", u"first", 0, 5},
                          {RangeAction::Kind::kSelect, u"a", u"second", 6, 12},
                          {RangeAction::Kind::kScrollIntoView, u"a", u"third", 13, 18}};
  ASSERT_TRUE(LastSelection(journal));
  EXPECT_EQ(LastSelection(journal)->text, u"second");
}

TEST(BrowserEventName, NamesKnownIdsAndNumbersTheRest) {
  EXPECT_EQ(BrowserEventName(259), "DocumentComplete");
  EXPECT_EQ(BrowserEventName(253), "OnQuit");
  EXPECT_EQ(BrowserEventName(999), "DISPID 999");
}

}  // namespace
}  // namespace tools
