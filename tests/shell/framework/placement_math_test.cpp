#include "placement_math.h"

#include <gtest/gtest.h>

TEST(PlaceButtonPairIn, TwoButtonsSitInTheBottomRightCornerFourPixelsApart) {
  const PlacementRect client = {0, 0, 300, 100};
  const ButtonPairPlacement p = PlaceButtonPairIn(client, 80, 80, 24);
  EXPECT_EQ(216, p.second.x);
  EXPECT_EQ(72, p.second.y);
  EXPECT_EQ(132, p.first.x);
  EXPECT_EQ(72, p.first.y);
}

TEST(CenterIn, CentresOverTheReferenceWithHalvesTruncatedTowardZero) {
  const PlacementRect owner = {100, 50, 501, 351};  // 401 x 301
  const PlacementPoint p = CenterIn(owner, 200, 100);
  EXPECT_EQ(100 + 201 / 2, p.x);
  EXPECT_EQ(50 + 201 / 2, p.y);

  // A window larger than the reference sticks out on both sides; an odd
  // negative difference rounds toward zero, not down.
  const PlacementRect small = {0, 0, 100, 100};
  const PlacementPoint q = CenterIn(small, 301, 101);
  EXPECT_EQ(-100, q.x);
  EXPECT_EQ(0, q.y);
}

