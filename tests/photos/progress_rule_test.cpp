#include "progress_rule.h"

#include <gtest/gtest.h>

TEST(ProgressRule, WholePathsAreTheSteps) {
  EXPECT_EQ(0u, ProgressPosition(0, 3));
  EXPECT_EQ(666u, ProgressPosition(1, 3));
  EXPECT_EQ(1333u, ProgressPosition(2, 3));
  EXPECT_EQ(2000u, ProgressPosition(3, 3));
  // One folder: nothing until its walk is over.
  EXPECT_EQ(0u, ProgressPosition(0, 1));
  EXPECT_EQ(2000u, ProgressPosition(1, 1));
}

TEST(ProgressRule, NothingToDoAndLargeCountsStayInRange) {
  EXPECT_EQ(0u, ProgressPosition(0, 0));
  EXPECT_EQ(0u, ProgressPosition(5, 0));
  EXPECT_EQ(2000u, ProgressPosition(7, 3));
  EXPECT_EQ(1000u, ProgressPosition(5000000000ull, 10000000000ull));
}
