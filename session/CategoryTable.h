// The category lists together with the automaton that scans pages for them,
// built once when the lists are loaded and shared read-only by every tab and
// every ads request from then on.
//
// The cache file (session/categories/CategoryCacheFile.h) is read on the
// calling thread, a local file; a stale or damaged cache means a fetch from
// the ads service, which only a worker may make.
#pragma once

#include <string_view>

#include "session/categories/CategoryLists.h"
#include "session/scan/KeywordScanner.h"
#include "soap/connector/VimaruConnector.h"

namespace session {

struct CategoryTable {
  explicit CategoryTable(CategoryLists categoryLists);

  int CategoryCount() const { return static_cast<int>(lists.categories.size()); }

  const CategoryLists lists;
  const KeywordScanner scanner;
};

// Both lists from the ads service (empty where a call failed), and the cache
// file rewritten with them. Blocks for the two calls.
CategoryLists FetchCategoryLists(const soap::VimaruConnector& connector,
                                 std::string_view cachePath);

}  // namespace session
