#include "commands/search/SearchHistoryFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/files/FileSystem.h"
#include "platform/ui/WinTypes.h"

namespace commands {
namespace {

using Entries = std::vector<std::string>;

constexpr char kPath[] = "C:\\Toolbar\\search_archive.txt";

// A disk that takes only `bytes` more of any file: writes past it fail, as
// on a full disk, without the signal that would end the process.
class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &savedAction_);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~ScopedFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    sigaction(SIGXFSZ, &savedAction_, nullptr);
  }
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  struct sigaction savedAction_ {};
};

class SearchHistoryFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(platform::MakeDirectories("C:\\Toolbar")); }

  platform::ScopedFileSystemRoot files_;
};

TEST_F(SearchHistoryFileTest, LoadsEveryNonEmptyLineInFileOrder) {
  struct Case {
    std::string bytes;
    Entries entries;
  };
  const Case cases[] = {
      {"", {}},
      {"one\r\ntwo\r\n", {"one", "two"}},
      {"one\r\ntwo", {"one", "two"}},
      {"one\ntwo\n", {"one", "two"}},
      {"\r\n\r\none\r\n\r\n\r\ntwo\r\n\r\n", {"one", "two"}},
      {"Java\r\njava\r\nJava\r\n", {"Java", "java", "Java"}},
      {" \r\n", {" "}},
      {"a\rb\r\n", {"a\rb"}},
  };
  for (const Case& item : cases) {
    ASSERT_TRUE(platform::WriteWholeFile(kPath, item.bytes));
    EXPECT_EQ(LoadSearchHistory(kPath), item.entries) << item.bytes;
  }
}

TEST_F(SearchHistoryFileTest, LoadsMoreThanTheHistoryLimit) {
  std::string bytes;
  Entries expected;
  for (int line = 0; line < 120; ++line) {
    bytes += "term " + std::to_string(line) + "\r\n";
    if (line % 3 == 0) bytes += "\r\n";
    expected.push_back("term " + std::to_string(line));
  }
  ASSERT_TRUE(platform::WriteWholeFile(kPath, bytes));
  EXPECT_EQ(LoadSearchHistory(kPath), expected);
}

TEST_F(SearchHistoryFileTest, AMissingFileIsCreatedEmpty) {
  EXPECT_EQ(LoadSearchHistory(kPath), Entries{});
  EXPECT_EQ(platform::ReadWholeFile(kPath), "");
  EXPECT_EQ(LoadSearchHistory("C:\\Missing\\search_archive.txt"), Entries{});
  EXPECT_FALSE(platform::PathExists("C:\\Missing"));
}

TEST_F(SearchHistoryFileTest, SavesEachNonEmptyEntryEndedByCrLfAndNothingElse) {
  ASSERT_TRUE(SaveSearchHistory(kPath, {"first", "", "AT&T", "caf\xE9"}));
  EXPECT_EQ(platform::ReadWholeFile(kPath), "first\r\nAT&T\r\ncaf\xE9\r\n");
  EXPECT_EQ(platform::FindFiles("C:\\Toolbar\\*").size(), 1u) << "no temporary file left behind";
  ASSERT_TRUE(SaveSearchHistory(kPath, {}));
  EXPECT_EQ(platform::ReadWholeFile(kPath), "");
}

TEST_F(SearchHistoryFileTest, AWriteThatFailsHalfWayLeavesTheOldHistoryWhole) {
  ASSERT_TRUE(platform::WriteWholeFile(kPath, "old one\r\nold two\r\n"));
  Entries longer;
  for (int entry = 0; entry < 10; ++entry)
    longer.push_back("a longer entry " + std::to_string(entry));
  {
    ScopedFileSizeLimit fullDisk(24);
    EXPECT_FALSE(SaveSearchHistory(kPath, longer));
  }
  EXPECT_EQ(platform::ReadWholeFile(kPath), "old one\r\nold two\r\n");
  EXPECT_EQ(platform::FindFiles("C:\\Toolbar\\*").size(), 1u) << "the half-written copy is gone";
  EXPECT_TRUE(SaveSearchHistory(kPath, longer)) << "and the next save goes through";
  EXPECT_EQ(LoadSearchHistory(kPath), longer);
}

TEST_F(SearchHistoryFileTest, ACopyLeftByACrashIsNeitherLoadedNorInTheWay) {
  ASSERT_TRUE(SaveSearchHistory(kPath, {"saved"}));
  // What a save of this thread that died between its write and its rename
  // leaves.
  const std::string stale =
      "C:\\Toolbar\\~search_archive." + std::to_string(GetCurrentThreadId()) + ".tmp";
  ASSERT_TRUE(platform::WriteWholeFile(stale, "half"));
  EXPECT_EQ(LoadSearchHistory(kPath), Entries{"saved"});
  EXPECT_TRUE(SaveSearchHistory(kPath, {"again"}));
  EXPECT_EQ(LoadSearchHistory(kPath), Entries{"again"});
  EXPECT_FALSE(platform::PathExists(stale));
}

TEST_F(SearchHistoryFileTest, TabsSavingAtOnceLeaveOneWholeListAndReadersNeverSeeAMix) {
  Entries alpha, beta;
  for (int entry = 0; entry < 50; ++entry) {
    alpha.push_back("alpha entry " + std::to_string(entry));
    beta.push_back("beta " + std::to_string(entry));
  }
  ASSERT_TRUE(SaveSearchHistory(kPath, alpha));
  const std::string alphaBytes = *platform::ReadWholeFile(kPath);
  ASSERT_TRUE(SaveSearchHistory(kPath, beta));
  const std::string betaBytes = *platform::ReadWholeFile(kPath);

  constexpr int kSaves = 200;
  std::atomic<int> failedSaves{0};
  std::atomic<bool> writing{true};
  auto saver = [&](const Entries& entries) {
    for (int save = 0; save < kSaves; ++save) {
      if (!SaveSearchHistory(kPath, entries)) ++failedSaves;
    }
  };
  std::thread first(saver, alpha);
  std::thread second(saver, beta);
  std::thread stopper([&] {
    first.join();
    second.join();
    writing = false;
  });
  int reads = 0, mixed = 0;
  while (writing || reads == 0) {
    const std::optional<std::string> bytes = platform::ReadWholeFile(kPath);
    ++reads;
    if (!bytes || (*bytes != alphaBytes && *bytes != betaBytes)) ++mixed;
  }
  stopper.join();
  EXPECT_EQ(failedSaves, 0);
  EXPECT_EQ(mixed, 0) << "of " << reads << " reads";
  const std::string last = *platform::ReadWholeFile(kPath);
  EXPECT_TRUE(last == alphaBytes || last == betaBytes);
  EXPECT_EQ(platform::FindFiles("C:\\Toolbar\\*").size(), 1u);
}

}  // namespace
}  // namespace commands
