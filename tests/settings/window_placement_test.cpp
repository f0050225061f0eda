#include <gtest/gtest.h>

#include "window_placement.h"

namespace {

ScreenRect Rect(int left, int top, int right, int bottom) {
  ScreenRect r;
  r.left = left;
  r.top = top;
  r.right = right;
  r.bottom = bottom;
  return r;
}

void ExpectRect(const ScreenRect& r, int left, int top, int right, int bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

}  // namespace

TEST(WindowPlacement, TheWindowLiesInsideTheWorkAreaWithItsTitleBarOnScreen) {
  // 1366 x 768 with a 40-pixel task bar: the first 672 x 810 window is
  // shrunk to the work area's height, its title bar at the very top.
  const ScreenRect laptop = Rect(0, 0, 1366, 728);
  ExpectRect(CentredInWorkArea(laptop, 672, 810), 347, 0, 1019, 728);
  // Where it fits, it is centred and keeps its size.
  ExpectRect(CentredInWorkArea(Rect(0, 0, 1280, 1024), 672, 810), 304, 107, 976, 917);

  // A restored rectangle inside the area is left as it was.
  ExpectRect(FitInsideWorkArea(laptop, Rect(10, 20, 500, 400)), 10, 20, 500, 400);
  // Above the top or hanging off the right and bottom: moved back in.
  ExpectRect(FitInsideWorkArea(laptop, Rect(100, -41, 772, 769)), 100, 0, 772, 728);
  ExpectRect(FitInsideWorkArea(laptop, Rect(1200, 600, 1600, 900)), 966, 428, 1366, 728);
  // A second monitor to the left of the primary one, with negative
  // coordinates, and a work area that does not start at 0.
  ExpectRect(FitInsideWorkArea(Rect(-1024, 30, 0, 768), Rect(-1100, 0, -700, 300)), -1024, 30, -624,
             330);
}

TEST(WindowPlacement, TheSmallestWindowGrowsWithTheDpi) {
  EXPECT_EQ(MinimumWindowWidth(96), 400);
  EXPECT_EQ(MinimumWindowHeight(96), 300);
  EXPECT_EQ(MinimumWindowWidth(144), 600);
  EXPECT_EQ(MinimumWindowHeight(120), 375);
}
