#include "session/categories/CategoryCacheFile.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/files/FileSystem.h"

namespace session {
namespace {

using std::chrono::seconds;
using Clock = std::chrono::system_clock;

const CategoryLists kLists{{{u"cheap flights", u"Travel"}, {u"caf\u00e9", u"Food"}},
                           {u"casino", u"xxx"}};

std::string Int32(std::uint32_t value) {
  return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
          static_cast<char>(value >> 24)};
}

std::string Utf16(std::u16string_view text) {
  std::string out = Int32(static_cast<std::uint32_t>(text.size()));
  for (const char16_t unit : text) {
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
  }
  return out;
}

TEST(CategoryCacheFile, LivesBesideTheBrowserWithItsExtensionReplaced) {
  EXPECT_EQ(CategoryCachePath("C:\\Program Files\\Internet Explorer\\iexplore.exe"),
            "C:\\Program Files\\Internet Explorer\\iexplore.cl");
  EXPECT_EQ(CategoryCachePath("C:\\host.bin"), "C:\\host.cl");
  EXPECT_EQ(CategoryCachePath("abc"), "cl");
  EXPECT_EQ(CategoryCachePath("ab"), "");
}

TEST(CategoryCacheFile, EncodesLittleEndianCountsAndUtf16Strings) {
  const std::string expected = Int32(2) + Utf16(u"cheap flights") + Utf16(u"Travel") +
                               Utf16(u"caf\u00e9") + Utf16(u"Food") + Int32(2) + Utf16(u"casino") +
                               Utf16(u"xxx");
  EXPECT_EQ(EncodeCategoryCache(kLists), expected);
  EXPECT_EQ(DecodeCategoryCache(expected), kLists);

  EXPECT_EQ(EncodeCategoryCache({{}, {u"casino"}}), Int32(0))
      << "blocked terms are written only after a category";
  EXPECT_EQ(EncodeCategoryCache({{{u"a", u"b"}}, {}}),
            Int32(1) + Utf16(u"a") + Utf16(u"b") + Int32(0));
}

TEST(CategoryCacheFile, AnyBadValueOrShortReadDiscardsEverything) {
  const std::string one = Utf16(u"label") + Utf16(u"name");
  const std::string terms = Int32(1) + Utf16(u"term");
  EXPECT_TRUE(DecodeCategoryCache(Int32(1) + one + terms));

  EXPECT_FALSE(DecodeCategoryCache("")) << "no count";
  EXPECT_FALSE(DecodeCategoryCache(Int32(0) + terms)) << "no categories";
  EXPECT_FALSE(DecodeCategoryCache(Int32(0xFFFFFFFF) + one + terms)) << "negative count";
  EXPECT_FALSE(DecodeCategoryCache(Int32(1) + one + Int32(0))) << "no blocked terms";
  EXPECT_FALSE(DecodeCategoryCache(Int32(1) + one)) << "blocked count missing";
  EXPECT_FALSE(DecodeCategoryCache(Int32(2) + one + terms)) << "fewer categories than counted";
  EXPECT_FALSE(DecodeCategoryCache(Int32(0x7FFFFFFF) + one + terms)) << "a count no file holds";
  EXPECT_FALSE(DecodeCategoryCache(Int32(1) + Int32(0) + Utf16(u"name") + terms)) << "length 0";
  EXPECT_FALSE(
      DecodeCategoryCache(Int32(1) + Utf16(std::u16string(261, u'a')) + Utf16(u"n") + terms))
      << "length 261";
  EXPECT_TRUE(
      DecodeCategoryCache(Int32(1) + Utf16(std::u16string(260, u'a')) + Utf16(u"n") + terms))
      << "length 260";
  EXPECT_FALSE(DecodeCategoryCache(Int32(1) + Int32(0x80000001) + terms)) << "negative length";
  const std::string whole = Int32(1) + one + terms;
  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    EXPECT_FALSE(DecodeCategoryCache(whole.substr(0, cut))) << "cut at " << cut;
  }
  EXPECT_FALSE(DecodeCategoryCache(whole.substr(0, whole.size() - 1))) << "odd byte count";
}

class CategoryCacheFileOnDisk : public ::testing::Test {
 protected:
  const std::string path_ = "C:\\Program Files\\Internet Explorer\\iexplore.cl";
  const Clock::time_point written_ = Clock::time_point(seconds(1'700'000'000));
  platform::ScopedFileSystemRoot root_;
};

TEST_F(CategoryCacheFileOnDisk, IsUsedUpToSevenDaysAfterItWasWritten) {
  ASSERT_TRUE(WriteCategoryCache(path_, kLists));
  ASSERT_TRUE(platform::SetFileLastWriteTime(path_, written_));
  EXPECT_EQ(ReadCategoryCache(path_, written_), kLists);
  EXPECT_EQ(ReadCategoryCache(path_, written_ + kCategoryCacheLifetime), kLists);
  EXPECT_FALSE(ReadCategoryCache(path_, written_ + kCategoryCacheLifetime + seconds(1)))
      << "7 days and 1 second old";
  EXPECT_FALSE(ReadCategoryCache("C:\\Program Files\\Internet Explorer\\other.cl", written_));
  EXPECT_FALSE(ReadCategoryCache("", written_));
}

TEST_F(CategoryCacheFileOnDisk, RewritingTruncatesAndAnUnwritablePlaceFails) {
  ASSERT_TRUE(platform::WriteWholeFile(path_, std::string(4096, 'x')));
  ASSERT_TRUE(WriteCategoryCache(path_, kLists));
  EXPECT_EQ(platform::ReadWholeFile(path_), EncodeCategoryCache(kLists));
  EXPECT_FALSE(WriteCategoryCache("C:\\No Such Directory\\iexplore.cl", kLists));
  EXPECT_FALSE(WriteCategoryCache("", kLists));
}

TEST_F(CategoryCacheFileOnDisk, AFileLargerThanAnyListIsNotRead) {
  std::string huge = EncodeCategoryCache(kLists);
  huge.resize(kMaxCategoryCacheBytes + 1, '\0');
  ASSERT_TRUE(platform::WriteWholeFile(path_, huge));
  ASSERT_TRUE(platform::SetFileLastWriteTime(path_, written_));
  EXPECT_FALSE(ReadCategoryCache(path_, written_));
}

}  // namespace
}  // namespace session
