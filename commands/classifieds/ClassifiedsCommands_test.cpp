#include "commands/classifieds/ClassifiedsCommands.h"

#include <gtest/gtest.h>

#include "commands/testing/ProductTab.h"

namespace commands {
namespace {

using testing::ProductTab;

class ClassifiedsCommandsTest : public testing::ProductCommandsTest {};

TEST_F(ClassifiedsCommandsTest, EachItemSearchesItsCategoryAndMakesItTheTabs) {
  struct Case {
    const char* progId;
    const char* category;
  };
  const Case cases[] = {
      {kVehiclesCommand, "vehicle"},     {kRealEstateCommand, "housing-sale"},
      {kForRentCommand, "housing-rent"}, {kJobsCommand, "job"},
      {kPetsCommand, "sale-pet"},        {kForSaleCommand, "sale"},
      {kTiketsCommand, "sale-tickets"},  {kPersonalCommand, "personals"},
      {kServicesCommand, "service"},
  };
  ProductTab tab;
  std::vector<std::string> expected;
  for (const Case& item : cases) {
    ASSERT_NE(tab.Command(item.progId), nullptr) << item.progId;
    EXPECT_TRUE(tab.Command(item.progId)->IsEnabled()) << item.progId;
    tab.Click(item.progId);
    expected.push_back(std::string("http://search.test/search?type=classifieds&top=1&cat=") +
                       item.category);
    EXPECT_EQ(tab.Context().ClassifiedsCategory(), u"&cat=" + platform::AnsiToWide(item.category))
        << "replaced, not appended";
  }
  EXPECT_EQ(tab.Pages(), expected);
  for (const testing::Navigation& navigation : tab.Browser().Navigations()) {
    EXPECT_FALSE(navigation.hasFlags);
  }
}

TEST_F(ClassifiedsCommandsTest, ACategoryChosenInOneTabLeavesANewTabAtVehicles) {
  ProductTab first;
  first.Click(kJobsCommand);
  ProductTab second;
  EXPECT_EQ(first.Context().ClassifiedsCategory(), u"&cat=job");
  EXPECT_EQ(second.Context().ClassifiedsCategory(), u"&cat=vehicle");
}

TEST_F(ClassifiedsCommandsTest, TheMenusOwnCommandOnlyMarksItself) {
  ProductTab tab;
  framework::CommandC* menu = tab.Command(kClassifiedsMenuCommand);
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->IsEnabled());
  tab.Click(kClassifiedsMenuCommand);
  EXPECT_EQ(menu->Checked(), -1);
  EXPECT_TRUE(tab.Pages().empty());
  EXPECT_EQ(tab.Context().ClassifiedsCategory(), u"&cat=vehicle");
}

}  // namespace
}  // namespace commands
