#include "session/categories/CategoryCacheFile.h"

#include <cstdint>

#include "platform/files/FileSystem.h"

namespace session {
namespace {

void AppendInt32(std::string& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>(bits >> shift));
}

void AppendString(std::string& out, std::u16string_view text) {
  AppendInt32(out, static_cast<std::int32_t>(text.size()));
  for (const char16_t unit : text) {
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
  }
}

class CacheReader {
 public:
  explicit CacheReader(std::string_view bytes) : bytes_(bytes) {}

  std::optional<std::int32_t> Int32() {
    if (bytes_.size() - position_ < 4) return std::nullopt;
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) {
      bits |= std::uint32_t{static_cast<unsigned char>(bytes_[position_ + i])} << (8 * i);
    }
    position_ += 4;
    return static_cast<std::int32_t>(bits);
  }

  std::optional<int> Count() {
    const auto count = Int32();
    if (!count || *count <= 0) return std::nullopt;
    return *count;
  }

  std::optional<std::u16string> String() {
    const auto length = Int32();
    if (!length || *length < 1 || *length > kMaxCachedStringLength) return std::nullopt;
    const auto units = static_cast<std::size_t>(*length);
    if ((bytes_.size() - position_) / 2 < units) return std::nullopt;
    std::u16string text(units, u'\0');
    for (std::size_t i = 0; i < units; ++i) {
      const auto low = static_cast<unsigned char>(bytes_[position_ + 2 * i]);
      const auto high = static_cast<unsigned char>(bytes_[position_ + 2 * i + 1]);
      text[i] = static_cast<char16_t>(low | (high << 8));
    }
    position_ += 2 * units;
    return text;
  }

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
};

}  // namespace

std::string CategoryCachePath(std::string_view hostExecutablePath) {
  if (hostExecutablePath.size() < 3) return {};
  std::string path(hostExecutablePath.substr(0, hostExecutablePath.size() - 3));
  return path + "cl";
}

std::string EncodeCategoryCache(const CategoryLists& lists) {
  std::string out;
  AppendInt32(out, static_cast<std::int32_t>(lists.categories.size()));
  for (const CategoryItem& item : lists.categories) {
    AppendString(out, item.Label);
    AppendString(out, item.Name);
  }
  if (lists.categories.empty()) return out;
  AppendInt32(out, static_cast<std::int32_t>(lists.blockedTerms.size()));
  for (const std::u16string& term : lists.blockedTerms) AppendString(out, term);
  return out;
}

std::optional<CategoryLists> DecodeCategoryCache(std::string_view bytes) {
  CacheReader reader(bytes);
  CategoryLists lists;
  // Every entry takes at least 12 bytes, so a count the file cannot hold
  // fails on its first short read, before it can reserve anything.
  const auto categoryCount = reader.Count();
  if (!categoryCount) return std::nullopt;
  for (int i = 0; i < *categoryCount; ++i) {
    auto label = reader.String();
    if (!label) return std::nullopt;
    auto name = reader.String();
    if (!name) return std::nullopt;
    lists.categories.push_back({std::move(*label), std::move(*name)});
  }
  const auto termCount = reader.Count();
  if (!termCount) return std::nullopt;
  for (int i = 0; i < *termCount; ++i) {
    auto term = reader.String();
    if (!term) return std::nullopt;
    lists.blockedTerms.push_back(std::move(*term));
  }
  return lists;
}

std::optional<CategoryLists> ReadCategoryCache(std::string_view path,
                                               std::chrono::system_clock::time_point now) {
  if (path.empty()) return std::nullopt;
  const auto facts = platform::GetFileFacts(path);
  if (!facts || facts->size > kMaxCategoryCacheBytes) return std::nullopt;
  if (now - facts->lastWrite > kCategoryCacheLifetime) return std::nullopt;
  const auto bytes = platform::ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  return DecodeCategoryCache(*bytes);
}

bool WriteCategoryCache(std::string_view path, const CategoryLists& lists) {
  return !path.empty() && platform::WriteWholeFile(path, EncodeCategoryCache(lists));
}

}  // namespace session
