#include "commands/search/SearchC.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/search/ClearSearchHistoryC.h"
#include "commands/search/SearchBtnC.h"
#include "commands/search/SearchEngineCommands.h"
#include "commands/search/SearchTerm.h"
#include "commands/testing/ProductTab.h"
#include "platform/files/FileSystem.h"

namespace commands {
namespace {

using testing::kHistoryFile;
using testing::ProductTab;
using Entries = std::vector<std::string>;
using Pages = std::vector<std::string>;

class SearchCTest : public testing::ProductCommandsTest {
 protected:
  static std::string HistoryBytes() {
    return platform::ReadWholeFile(kHistoryFile).value_or("<none>");
  }
  static void WriteHistory(const std::string& bytes) {
    ASSERT_TRUE(platform::WriteWholeFile(kHistoryFile, bytes));
  }
  // Types `term` into the box and presses the search button.
  static void Search(ProductTab& tab, const std::string& term) {
    tab.Type(kSearchCommand, term);
    tab.Click(kSearchButtonCommand);
  }
};

TEST_F(SearchCTest, ANewBoxShowsThePlaceholderAndTheHistoryFromTheFile) {
  WriteHistory("older\r\n\r\nnewer\r\n");
  ProductTab tab;
  framework::CommandC* box = tab.Command(kSearchCommand);
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->IsEnabled());
  EXPECT_EQ(box->Text(), "Enter search term...");
  EXPECT_EQ(box->Items(), (Entries{"older", "newer"}));
  EXPECT_EQ(box->SelectedIndex(), -1);
  EXPECT_TRUE(tab.Command(kSearchButtonCommand)->IsEnabled());
}

TEST_F(SearchCTest, AMissingHistoryFileIsCreatedEmptyWhenTheBoxIsMade) {
  ProductTab tab;
  EXPECT_EQ(HistoryBytes(), "");
  EXPECT_TRUE(tab.Command(kSearchCommand)->Items().empty());
}

TEST_F(SearchCTest, SearchesTheTermAsTypedEncodedForTheQueryAndRecordsItAsTyped) {
  ProductTab tab;
  Search(tab, "AT&T");
  Search(tab, "c++ 100%");
  EXPECT_EQ(tab.Pages(), (Pages{"http://msn.test/results.aspx?q=AT%26T",
                                "http://msn.test/results.aspx?q=c%2B%2B+100%25"}));
  EXPECT_EQ(tab.Command(kSearchCommand)->Items(), (Entries{"AT&T", "c++ 100%"}));
  EXPECT_EQ(tab.Command(kSearchCommand)->SelectedIndex(), 1) << "the new entry is the box's";
  for (const testing::Navigation& navigation : tab.Browser().Navigations()) {
    EXPECT_FALSE(navigation.hasFlags);
  }
}

TEST_F(SearchCTest, ThePlaceholderOrAnEmptyBoxOpensTheEnginesHomeAndRecordsNothing) {
  WriteHistory("kept\r\n");
  ProductTab tab;
  tab.Click(kSearchButtonCommand);  // the box still shows the placeholder
  Search(tab, "");
  tab.CommandOf<SearchC>(kSearchCommand)->Apply("Enter search term...");
  tab.Click(kGoogleCommand);
  EXPECT_EQ(tab.Pages(),
            (Pages{"http://msn.test", "http://msn.test", "http://msn.test", "http://google.test"}));
  EXPECT_EQ(tab.Command(kSearchCommand)->Items(), Entries{"kept"});
}

TEST_F(SearchCTest, ThePlaceholderCountsAsEmptyOnlyWhenItIsTheWholeTerm) {
  ProductTab tab;
  Search(tab, "Enter search term...!");
  Search(tab, "enter search term...");
  EXPECT_EQ(tab.Command(kSearchCommand)->Items(),
            (Entries{"Enter search term...!", "enter search term..."}));
  EXPECT_EQ(tab.Pages(), (Pages{"http://msn.test/results.aspx?q=Enter+search+term...%21",
                                "http://msn.test/results.aspx?q=enter+search+term..."}));
}

TEST_F(SearchCTest, AKnownTermKeepsItsPlaceAndLetterCaseMakesANewEntry) {
  WriteHistory("java\r\nrust\r\n");
  ProductTab tab;
  Search(tab, "rust");
  Search(tab, "java");
  Search(tab, "Java");
  Search(tab, "java ");
  EXPECT_EQ(tab.Command(kSearchCommand)->Items(), (Entries{"java", "rust", "Java", "java "}));
  EXPECT_EQ(tab.Pages().size(), 4u) << "every one of them was searched";
}

TEST_F(SearchCTest, AFullHistorySearchesANewTermWithoutRecordingOrEvictingAnything) {
  std::string bytes;
  Entries fifty;
  for (int entry = 0; entry < 50; ++entry) {
    fifty.push_back("term" + std::to_string(entry));
    bytes += fifty.back() + "\r\n";
  }
  WriteHistory(bytes);
  ProductTab tab;
  Search(tab, "fresh");
  EXPECT_EQ(tab.Pages(), Pages{"http://msn.test/results.aspx?q=fresh"});
  EXPECT_EQ(tab.Command(kSearchCommand)->Items(), fifty);
  tab.Close();
  EXPECT_EQ(HistoryBytes(), bytes);
}

TEST_F(SearchCTest, FortyNineEntriesTakeOneMore) {
  std::string bytes;
  for (int entry = 0; entry < 49; ++entry) bytes += "term" + std::to_string(entry) + "\r\n";
  WriteHistory(bytes);
  ProductTab tab;
  Search(tab, "fiftieth");
  Search(tab, "fifty-first");
  ASSERT_EQ(tab.Command(kSearchCommand)->Items().size(), 50u);
  EXPECT_EQ(tab.Command(kSearchCommand)->Items().back(), "fiftieth");
}

TEST_F(SearchCTest, AHistoryFileOfMoreThanFiftyLinesLoadsWholeAndTakesNoMore) {
  std::string bytes;
  for (int entry = 0; entry < 75; ++entry) bytes += "term" + std::to_string(entry) + "\r\n\r\n";
  WriteHistory(bytes);
  ProductTab tab;
  EXPECT_EQ(tab.Command(kSearchCommand)->Items().size(), 75u);
  Search(tab, "one more");
  EXPECT_EQ(tab.Command(kSearchCommand)->Items().size(), 75u);
}

TEST_F(SearchCTest, ChoosingAnEngineSearchesTheBoxsTermThereAtOnce) {
  struct Case {
    const char* progId;
    const char* page;
  };
  const Case cases[] = {
      {kAskCommand, "http://ask.test/web?q=blue+whale"},
      {kGoogleCommand, "http://google.test/search?q=blue+whale"},
      {kLycosCommand, "http://lycos.test/?query=blue+whale&x=0&y=0"},
      {kYahooCommand, "http://yahoo.test/search?p=blue+whale"},
      {kWebCommand, "http://msn.test/results.aspx?q=blue+whale"},
  };
  ProductTab tab;
  tab.Type(kSearchCommand, "blue whale");
  Pages expected;
  for (const Case& item : cases) {
    tab.Click(item.progId);
    expected.push_back(item.page);
    EXPECT_EQ(tab.Pages(), expected) << item.progId;
  }
  EXPECT_EQ(tab.Command(kSearchCommand)->Items(), Entries{"blue whale"});
}

TEST_F(SearchCTest, TheEngineChosenInOneTabLeavesANewTabOnMsnLive) {
  ProductTab first;
  first.Click(kYahooCommand);
  Search(first, "tide tables");
  ProductTab second;
  EXPECT_EQ(second.Context().SearchEngineId(), 1);
  Search(second, "tide tables");
  EXPECT_EQ(first.Pages().back(), "http://yahoo.test/search?p=tide+tables");
  EXPECT_EQ(second.Pages(), Pages{"http://msn.test/results.aspx?q=tide+tables"});
}

TEST_F(SearchCTest, ExecutingTheBoxSearchesOnlyWhenItHoldsText) {
  ProductTab tab;
  tab.Type(kSearchCommand, "");
  tab.Click(kSearchCommand);
  EXPECT_TRUE(tab.Pages().empty());
  tab.Type(kSearchCommand, "maps");
  tab.Click(kSearchCommand);
  EXPECT_EQ(tab.Pages(), Pages{"http://msn.test/results.aspx?q=maps"});
}

TEST_F(SearchCTest, CommittedTextOnlySelectsItsEntryAndSearchesNothing) {
  WriteHistory("first\r\nsecond\r\n");
  ProductTab tab;
  tab.Type(kSearchCommand, "second");
  EXPECT_EQ(tab.Command(kSearchCommand)->SelectedIndex(), 1);
  EXPECT_TRUE(tab.Pages().empty());
}

TEST_F(SearchCTest, ClosingTheTabWritesItsHistoryOldestFirst) {
  WriteHistory("old\r\n");
  ProductTab tab;
  Search(tab, "new");
  Search(tab, "AT&T");
  EXPECT_EQ(HistoryBytes(), "old\r\n") << "written only when the box goes";
  tab.Close();
  EXPECT_EQ(HistoryBytes(), "old\r\nnew\r\nAT&T\r\n");
}

TEST_F(SearchCTest, TabsKeepTheirOwnListsAndTheLastToCloseWins) {
  WriteHistory("shared\r\n");
  ProductTab first;
  ProductTab second;
  Search(first, "only first");
  Search(second, "only second");
  EXPECT_EQ(second.Command(kSearchCommand)->Items(), (Entries{"shared", "only second"}));
  first.Close();
  EXPECT_EQ(HistoryBytes(), "shared\r\nonly first\r\n");
  second.Close();
  EXPECT_EQ(HistoryBytes(), "shared\r\nonly second\r\n");
}

TEST_F(SearchCTest, ClearingEmptiesThisTabsBoxAndTheFileButNotOtherTabs) {
  WriteHistory("one\r\ntwo\r\n");
  ProductTab first;
  ProductTab other;
  first.Type(kSearchCommand, "two");
  first.Click(kClearSearchHistoryCommand);
  framework::CommandC* box = first.Command(kSearchCommand);
  EXPECT_EQ(box->Text(), "Enter search term...");
  EXPECT_TRUE(box->Items().empty());
  EXPECT_EQ(box->SelectedIndex(), -1);
  EXPECT_EQ(HistoryBytes(), "");
  EXPECT_EQ(other.Command(kSearchCommand)->Items(), (Entries{"one", "two"}));
  EXPECT_TRUE(first.Pages().empty());
  first.Close();
  EXPECT_EQ(HistoryBytes(), "");
  other.Close();
  EXPECT_EQ(HistoryBytes(), "one\r\ntwo\r\n");
}

TEST_F(SearchCTest, WithoutAnInstallDirectoryTheHistoryLivesOnlyInTheTab) {
  session::testing::StoreSetting("HotIcon", "hoticon.ico");
  ProductTab tab;
  Search(tab, "kept in memory");
  EXPECT_EQ(tab.Command(kSearchCommand)->Items(), Entries{"kept in memory"});
  tab.Close();
  EXPECT_FALSE(platform::PathExists(kHistoryFile));
}

}  // namespace
}  // namespace commands
