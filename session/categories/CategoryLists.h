// What decides which ad category fits a page: the categories (a keyword in
// Label, the category group the ads service files ads under in Name) and
// the terms that mark a page as one to show no ads for. Loaded once per
// session and never changed afterwards, so threads share them read-only.
#pragma once

#include <string>
#include <vector>

namespace session {

struct CategoryItem {
  std::u16string Label;
  std::u16string Name;

  bool operator==(const CategoryItem&) const = default;
};

struct CategoryLists {
  std::vector<CategoryItem> categories;
  std::vector<std::u16string> blockedTerms;

  bool operator==(const CategoryLists&) const = default;
};

}  // namespace session
