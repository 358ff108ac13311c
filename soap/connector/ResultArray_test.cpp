#include "soap/connector/ResultArray.h"

#include <gtest/gtest.h>

#include <string>

namespace soap {
namespace {

TEST(ResultArray, IsAllocatedEvenWhenEmptyAndAfterBeingMovedFrom) {
  ResultArray<std::string> empty;
  EXPECT_TRUE(empty.IsAllocated());
  EXPECT_EQ(empty.Count(), 0);

  ResultArray<std::string> filled(2);
  EXPECT_EQ(filled.Count(), 0);  // room is not content
  EXPECT_TRUE(filled.Append("a"));
  EXPECT_TRUE(filled.Append("b"));
  EXPECT_FALSE(filled.Append("c"));
  EXPECT_EQ(filled.Count(), 2);

  ResultArray<std::string> taken(std::move(filled));
  EXPECT_EQ(taken.Count(), 2);
  EXPECT_EQ(taken[1], "b");
  EXPECT_TRUE(
      filled.IsAllocated());  // NOLINT(bugprone-use-after-move): the moved-from state is specified
  EXPECT_EQ(filled.Count(), 0);

  empty = std::move(taken);
  EXPECT_EQ(empty.Count(), 2);
  EXPECT_TRUE(taken.IsAllocated());  // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(taken.Count(), 0);
}

}  // namespace
}  // namespace soap
