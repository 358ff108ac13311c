// The category lists' cache file, so that the lists come from the ads
// service at most once a week per browser executable. It sits beside the
// browser's executable, named like it with the last three characters
// replaced by "cl" (iexplore.exe gives iexplore.cl).
//
// Layout, every integer 32-bit little-endian, every string UTF-16LE without
// terminator: the category count N; N times the label's length and units,
// then the name's; the blocked-term count M; M times a term's length and
// units. M and its terms are written only after at least one category.
//
// The file is outside input (anyone can write beside the browser): a
// reader accepts a length only in 1..260 and counts only above 0, and
// discards everything on any short read or bad value, so a damaged file
// means one more fetch, never a wrong list. A file without blocked terms
// therefore never validates, and such lists are fetched each time.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "session/categories/CategoryLists.h"

namespace session {

inline constexpr std::chrono::seconds kCategoryCacheLifetime{604800};  // 7 days
inline constexpr int kMaxCachedStringLength = 260;
// Far above what any real list needs (10,000 categories of 260 units take
// about 10 MiB), and the most a reader takes into memory.
inline constexpr std::size_t kMaxCategoryCacheBytes = 64u << 20;

// Empty when the executable's path is too short to have an extension.
std::string CategoryCachePath(std::string_view hostExecutablePath);

std::string EncodeCategoryCache(const CategoryLists& lists);
std::optional<CategoryLists> DecodeCategoryCache(std::string_view bytes);

// The lists when the file exists, was written at most the lifetime before
// `now` and decodes; nullopt otherwise.
std::optional<CategoryLists> ReadCategoryCache(std::string_view path,
                                               std::chrono::system_clock::time_point now);
// Creates or truncates the file; false when it cannot be written.
bool WriteCategoryCache(std::string_view path, const CategoryLists& lists);

}  // namespace session
