#include <gtest/gtest.h>

#include "group_box_extent.h"

TEST(GroupBoxExtent, GrowsToEncloseEachControlAndNeverShrinks) {
  GroupBoxExtent extent;
  // Group box at (0, 52); a button reaching to (150, 200).
  IncludeControl(&extent, 0, 52, 150, 200);
  EXPECT_EQ(150, extent.contentWidth);
  EXPECT_EQ(148, extent.contentHeight);
  // A smaller control changes nothing.
  IncludeControl(&extent, 0, 52, 40, 60);
  EXPECT_EQ(150, extent.contentWidth);
  EXPECT_EQ(148, extent.contentHeight);
  // A control left of or above the box does not make the extent negative.
  GroupBoxExtent other;
  IncludeControl(&other, 100, 100, 50, 50);
  EXPECT_EQ(0, other.contentWidth);
  EXPECT_EQ(0, other.contentHeight);
}
