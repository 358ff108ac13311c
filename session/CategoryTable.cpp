#include "session/CategoryTable.h"

#include <string>
#include <utility>
#include <vector>

#include "session/categories/CategoryCacheFile.h"

namespace session {
namespace {

std::vector<std::u16string> Labels(const CategoryLists& lists) {
  std::vector<std::u16string> labels;
  labels.reserve(lists.categories.size());
  for (const CategoryItem& item : lists.categories) labels.push_back(item.Label);
  return labels;
}

}  // namespace

CategoryTable::CategoryTable(CategoryLists categoryLists)
    : lists(std::move(categoryLists)), scanner(Labels(lists), lists.blockedTerms) {}

CategoryLists FetchCategoryLists(const soap::VimaruConnector& connector,
                                 std::string_view cachePath) {
  CategoryLists lists;
  soap::ResultArray<soap::CategoryEntry> categories;
  connector.bxGetCategoryList(categories);
  for (const soap::CategoryEntry& entry : categories) {
    lists.categories.push_back({entry.Label.value_or(u""), entry.Name.value_or(u"")});
  }
  soap::ResultArray<soap::CategoryEntry> terms;
  connector.bxGetBlockedCategoryList(terms);
  for (const soap::CategoryEntry& entry : terms)
    lists.blockedTerms.push_back(entry.Label.value_or(u""));
  WriteCategoryCache(cachePath, lists);
  return lists;
}

}  // namespace session
