#include <gtest/gtest.h>

#include <climits>

#include "high_dpi_helper.h"

TEST(MulDivRound, RoundsHalvesAwayFromZeroThroughSixtyFourBits) {
  EXPECT_EQ(MulDivRound(1, 1, 2), 1);
  EXPECT_EQ(MulDivRound(-1, 1, 2), -1);
  EXPECT_EQ(MulDivRound(4, 1, 3), 1);
  EXPECT_EQ(MulDivRound(5, 1, 3), 2);
  EXPECT_EQ(MulDivRound(-3, 1, -2), 2);
  EXPECT_EQ(MulDivRound(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
  EXPECT_EQ(MulDivRound(5, 5, 0), -1);
  EXPECT_EQ(MulDivRound(INT_MAX, 2, 1), -1);
}

TEST(HighDpiHelper, NotAwareScalesByTheScreenDpi) {
  EXPECT_EQ(HighDpiHelper_CL(false, 96, 96).ScaleX(360), 360);
  EXPECT_EQ(HighDpiHelper_CL(false, 120, 120).ScaleX(360), 450);
  EXPECT_EQ(HighDpiHelper_CL(false, 120, 120).ScaleY(160), 200);
  EXPECT_EQ(HighDpiHelper_CL(false, 144, 144).ScaleX(480), 720);
  EXPECT_EQ(HighDpiHelper_CL(false, 144, 144).ScaleY(56), 84);
  const HighDpiHelper_CL mixed(false, 120, 144);  // each axis its own DPI
  EXPECT_EQ(mixed.ScaleX(1), 1);                  // 1.25
  EXPECT_EQ(mixed.ScaleY(1), 2);                  // 1.5 rounds up
}

TEST(HighDpiHelper, AwareScalesByTheWindowsDpiAsWell) {
  // The system draws an aware process unscaled: the sizes must grow here.
  EXPECT_EQ(HighDpiHelper_CL(true, 96, 96).ScaleX(360), 360);
  EXPECT_EQ(HighDpiHelper_CL(true, 144, 144).ScaleX(360), 540);
  EXPECT_EQ(HighDpiHelper_CL(true, 192, 192).ScaleY(160), 320);
  HighDpiHelper_CL helper;  // aware at 96 until told
  EXPECT_TRUE(helper.IsDpiAware());
  EXPECT_EQ(helper.ScaleX(480), 480);
  helper.SetDpi(120, 120);
  EXPECT_EQ(helper.ScaleX(480), 600);
}
