#include "platform/files/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

namespace platform {
namespace {

namespace fs = std::filesystem;

TEST(ScopedFileSystemRoot, StartsWithTheProductDirectoriesOnly) {
  ScopedFileSystemRoot root;
  EXPECT_EQ(ModuleFilePath(),
            "C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll");
  EXPECT_EQ(GetModuleDirectory(), "C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar");
  EXPECT_EQ(TempDirectoryPath(), "C:\\Users\\User\\AppData\\Local\\Temp\\");
  EXPECT_TRUE(IsDirectory(GetModuleDirectory()));
  EXPECT_TRUE(IsDirectory("C:\\Program Files\\Internet Explorer"));
  EXPECT_TRUE(IsDirectory(TempDirectoryPath()));
  EXPECT_FALSE(PathExists(ModuleFilePath()));
  EXPECT_FALSE(PathExists("D:\\"));
}

TEST(ScopedFileSystemRoot, RestoresFactsAndRemovesItsTree) {
  std::string hostRoot;
  {
    ScopedFileSystemRoot outer;
    SetHostExecutablePath("C:\\Outer\\outer.exe");
    {
      ScopedFileSystemRoot inner;
      hostRoot = inner.HostRoot();
      SetHostExecutablePath("c:/inner/x.exe");
      EXPECT_EQ(GetHostExecutablePath(), "C:\\inner\\x.exe");
      ASSERT_TRUE(WriteWholeFile("C:\\file.txt", "x"));
    }
    EXPECT_EQ(GetHostExecutablePath(), "C:\\Outer\\outer.exe");
    EXPECT_FALSE(PathExists("C:\\file.txt"));
  }
  EXPECT_FALSE(fs::exists(hostRoot));
}

TEST(FileSystem, WithoutARootNothingExistsAndNothingIsWritten) {
  EXPECT_FALSE(PathExists("C:\\"));
  EXPECT_FALSE(WriteWholeFile("C:\\x.txt", "data"));
  EXPECT_FALSE(ReadWholeFile("C:\\x.txt").has_value());
  EXPECT_FALSE(ToHostPath("C:\\x.txt").has_value());
}

TEST(FileSystem, WriteThenReadIsByteExact) {
  ScopedFileSystemRoot root;
  const std::string bytes("a\0b\r\n\xFF", 6);
  ASSERT_TRUE(WriteWholeFile("C:\\Users\\User\\data.bin", bytes));
  EXPECT_EQ(ReadWholeFile("C:\\Users\\User\\data.bin"), bytes);
  ASSERT_TRUE(WriteWholeFile("C:\\Users\\User\\data.bin", "short"));
  EXPECT_EQ(ReadWholeFile("C:\\Users\\User\\data.bin"), "short");
  ASSERT_TRUE(WriteWholeFile("C:\\empty", ""));
  EXPECT_EQ(ReadWholeFile("C:\\empty"), "");
}

TEST(FileSystem, FactsGiveSizeAndALastWriteTimeThatCanBeSet) {
  ScopedFileSystemRoot root;
  EXPECT_FALSE(GetFileFacts("C:\\missing.cl"));
  EXPECT_FALSE(GetFileFacts("C:\\Program Files")) << "a directory has no file facts";
  EXPECT_FALSE(SetFileLastWriteTime("C:\\missing.cl", std::chrono::system_clock::now()));

  ASSERT_TRUE(WriteWholeFile("C:\\cache.cl", "12345"));
  const auto written = std::chrono::system_clock::time_point(std::chrono::seconds(946684800));
  ASSERT_TRUE(SetFileLastWriteTime("c:\\CACHE.cl", written));
  const auto facts = GetFileFacts("C:\\cache.cl");
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->size, 5u);
  EXPECT_EQ(facts->lastWrite, written);
}

TEST(FileSystem, NamesMatchWhateverTheirCase) {
  ScopedFileSystemRoot root;
  ASSERT_TRUE(WriteWholeFile("C:\\Program Files\\Internet Explorer\\Cache.DAT", "x"));
  EXPECT_EQ(ReadWholeFile("c:/PROGRAM FILES/internet explorer/cache.dat"), "x");
  ASSERT_TRUE(WriteWholeFile("c:\\program files\\internet explorer\\cache.dat", "y"));
  EXPECT_EQ(FindFiles("C:\\Program Files\\Internet Explorer\\*.dat").size(), 1u);
  EXPECT_EQ(LongPathName("c:\\program files\\INTERNET EXPLORER\\cache.dat"),
            "C:\\Program Files\\Internet Explorer\\Cache.DAT");
}

TEST(FileSystem, WritesNeedAnExistingDirectory) {
  ScopedFileSystemRoot root;
  EXPECT_FALSE(WriteWholeFile("C:\\Missing\\x.txt", "x"));
  EXPECT_FALSE(WriteWholeFile(TempDirectoryPath(), "x"));
  EXPECT_FALSE(WriteWholeFile("Q:\\x.txt", "x"));
  EXPECT_FALSE(ReadWholeFile(TempDirectoryPath()).has_value());
}

TEST(FileSystem, DotDotCannotLeaveTheDrive) {
  ScopedFileSystemRoot root;
  { std::ofstream(fs::path(root.HostRoot()) / "secret.txt") << "secret"; }
  for (const char* path :
       {"C:\\..\\secret.txt", "C:\\Users\\..\\..\\secret.txt", "file:///C:/%2e%2e/secret.txt"}) {
    EXPECT_FALSE(ReadWholeFile(path).has_value()) << path;
    EXPECT_FALSE(ToHostPath(path).has_value()) << path;
    EXPECT_FALSE(WriteWholeFile(path, "overwritten")) << path;
  }
  std::ifstream in(fs::path(root.HostRoot()) / "secret.txt");
  std::string content;
  in >> content;
  EXPECT_EQ(content, "secret");
}

TEST(FileSystem, DeleteRemovesFilesOnly) {
  ScopedFileSystemRoot root;
  ASSERT_TRUE(WriteWholeFile("C:\\x.txt", "x"));
  EXPECT_FALSE(RemoveFile("C:\\Users"));
  EXPECT_TRUE(RemoveFile("C:\\X.TXT"));
  EXPECT_FALSE(PathExists("C:\\x.txt"));
  EXPECT_FALSE(RemoveFile("C:\\x.txt"));
}

TEST(FileSystem, MoveFileNeverReplaces) {
  ScopedFileSystemRoot root;
  ASSERT_TRUE(WriteWholeFile("C:\\a.txt", "a"));
  ASSERT_TRUE(WriteWholeFile("C:\\b.txt", "b"));
  EXPECT_FALSE(MovePath("C:\\a.txt", "C:\\B.TXT"));
  EXPECT_EQ(ReadWholeFile("C:\\b.txt"), "b");
  EXPECT_FALSE(MovePath("C:\\missing.txt", "C:\\c.txt"));
  EXPECT_FALSE(MovePath("C:\\a.txt", "C:\\NoDir\\a.txt"));
  EXPECT_TRUE(MovePath("C:\\a.txt", "C:\\Users\\moved.txt"));
  EXPECT_FALSE(PathExists("C:\\a.txt"));
  EXPECT_EQ(ReadWholeFile("C:\\Users\\moved.txt"), "a");
  EXPECT_TRUE(MovePath("C:\\b.txt", "C:\\B.txt"));
  EXPECT_EQ(FindFiles("C:\\*.txt").at(0).fileName, "B.txt");
}

TEST(FileSystem, MoveFileReplacingRenamesOverAnExistingFileOnly) {
  ScopedFileSystemRoot root;
  ASSERT_TRUE(WriteWholeFile("C:\\new.tmp", "new"));
  ASSERT_TRUE(WriteWholeFile("C:\\List.txt", "old"));
  EXPECT_TRUE(MovePathReplacing("C:\\new.tmp", "C:\\list.txt"));
  EXPECT_FALSE(PathExists("C:\\new.tmp"));
  EXPECT_EQ(ReadWholeFile("C:\\List.txt"), "new");
  EXPECT_EQ(FindFiles("C:\\*.txt").at(0).fileName, "List.txt") << "the old spelling stays";

  ASSERT_TRUE(WriteWholeFile("C:\\fresh.tmp", "fresh"));
  EXPECT_TRUE(MovePathReplacing("C:\\fresh.tmp", "C:\\absent.txt"));
  EXPECT_EQ(ReadWholeFile("C:\\absent.txt"), "fresh");

  EXPECT_FALSE(MovePathReplacing("C:\\missing.tmp", "C:\\List.txt"));
  ASSERT_TRUE(MakeDirectory("C:\\folder"));
  EXPECT_FALSE(MovePathReplacing("C:\\folder", "C:\\List.txt")) << "directories are not files";
  ASSERT_TRUE(WriteWholeFile("C:\\again.tmp", "again"));
  EXPECT_FALSE(MovePathReplacing("C:\\again.tmp", "C:\\folder"));
  EXPECT_FALSE(MovePathReplacing("C:\\again.tmp", "C:\\NoDir\\List.txt"));
  EXPECT_EQ(ReadWholeFile("C:\\List.txt"), "new");
  EXPECT_EQ(ReadWholeFile("C:\\again.tmp"), "again") << "a failed move leaves the source";
}

TEST(FileSystem, MoveFileWorksAcrossDrives) {
  ScopedFileSystemRoot root("D");
  ASSERT_TRUE(WriteWholeFile("D:\\setup.exe", "MZ"));
  EXPECT_TRUE(MovePath("D:\\setup.exe", "C:\\setup.exe"));
  EXPECT_EQ(ReadWholeFile("C:\\setup.exe"), "MZ");
}

TEST(FileSystem, DirectoriesAreCreatedOneLevelAtATime) {
  ScopedFileSystemRoot root;
  EXPECT_FALSE(MakeDirectory("C:\\a\\b"));
  EXPECT_TRUE(MakeDirectory("C:\\a"));
  EXPECT_FALSE(MakeDirectory("C:\\A"));
  EXPECT_TRUE(MakeDirectory("C:\\a\\b"));
  EXPECT_TRUE(MakeDirectories("C:\\x\\y\\z"));
  EXPECT_TRUE(MakeDirectories("C:\\x\\y\\z"));
  EXPECT_FALSE(RemoveEmptyDirectory("C:\\x\\y"));
  EXPECT_TRUE(RemoveEmptyDirectory("C:\\x\\y\\z"));
}

TEST(FindFiles, ListsMatchesInNameOrder) {
  ScopedFileSystemRoot root;
  const std::string dir = GetModuleDirectory();
  ASSERT_TRUE(WriteWholeFile(dir + "\\zeta.dll", "12345"));
  ASSERT_TRUE(WriteWholeFile(dir + "\\Alpha.DLL", ""));
  ASSERT_TRUE(WriteWholeFile(dir + "\\notes.txt", ""));
  ASSERT_TRUE(MakeDirectory(dir + "\\folder.dll"));

  const auto found = FindFiles(dir + "\\*.dll");
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0].fileName, "Alpha.DLL");
  EXPECT_EQ(found[1].fileName, "folder.dll");
  EXPECT_TRUE(found[1].isDirectory);
  EXPECT_EQ(found[2].fileName, "zeta.dll");
  EXPECT_EQ(found[2].size, 5u);

  EXPECT_TRUE(FindFiles("C:\\Missing\\*.dll").empty());
  EXPECT_TRUE(FindFiles(dir + "\\").empty());
  EXPECT_TRUE(FindFiles("*.dll").empty());
}

TEST(GetLongPathName, FailsForMissingPathsAndKeepsTheTrailingBackslash) {
  ScopedFileSystemRoot root;
  EXPECT_EQ(LongPathName("c:\\users\\user\\appdata\\local\\temp\\"),
            "C:\\Users\\User\\AppData\\Local\\Temp\\");
  SetTempDirectoryPath("C:\\Users\\User\\AppData\\Local\\Temp\\Low\\Low");
  EXPECT_EQ(TempDirectoryPath(), "C:\\Users\\User\\AppData\\Local\\Temp\\Low\\Low\\");
  EXPECT_FALSE(LongPathName(TempDirectoryPath()).has_value());
}

TEST(FileSystem, ConcurrentReadersAndSettersAreSafe) {
  ScopedFileSystemRoot root;
  ASSERT_TRUE(WriteWholeFile("C:\\shared.txt", "shared"));
  std::thread writer([] {
    for (int i = 0; i < 50; ++i) SetTempDirectoryPath(i % 2 ? "C:\\A\\" : "C:\\B\\");
  });
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(ReadWholeFile("C:\\shared.txt"), "shared");
    const std::string temp = TempDirectoryPath();
    EXPECT_TRUE(temp == "C:\\A\\" || temp == "C:\\B\\" ||
                temp == "C:\\Users\\User\\AppData\\Local\\Temp\\");
  }
  writer.join();
}

}  // namespace
}  // namespace platform
