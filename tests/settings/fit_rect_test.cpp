#include <gtest/gtest.h>

#include "fit_rect.h"

namespace {

FloatRect Box(float x, float y, float w, float h) {
  FloatRect r;
  r.x = x;
  r.y = y;
  r.width = w;
  r.height = h;
  return r;
}

void ExpectRect(const FloatRect& r, float x, float y, float w, float h) {
  EXPECT_NEAR(r.x, x, 1e-3f);
  EXPECT_NEAR(r.y, y, 1e-3f);
  EXPECT_NEAR(r.width, w, 1e-3f);
  EXPECT_NEAR(r.height, h, 1e-3f);
}

}  // namespace

TEST(FitRect, LandscapeAndSquareFillOneSideAndAreCentredOnTheOther) {
  ExpectRect(FitRect(Box(0, 0, 200, 100), 400, 300), 33.3333f, 0, 133.3333f, 100);
  ExpectRect(FitRect(Box(10, 20, 200, 400), 400, 300), 10, 145, 200, 150);
  ExpectRect(FitRect(Box(0, 0, 300, 100), 50, 50), 100, 0, 100, 100);
}

TEST(FitRect, PortraitFillsTheHeightUnlessTooWide) {
  ExpectRect(FitRect(Box(0, 0, 300, 200), 300, 400), 75, 0, 150, 200);
  ExpectRect(FitRect(Box(5, 5, 60, 400), 300, 400), 5, 165, 60, 80);
}

TEST(FitRect, APictureWithoutASizeGivesAnEmptyRectangleAtTheCentre) {
  ExpectRect(FitRect(Box(0, 0, 200, 100), 0, 300), 100, 50, 0, 0);
  ExpectRect(FitRect(Box(0, 0, 200, 100), 0, 0), 100, 50, 0, 0);
}

TEST(FitRule, KeepsTheAspectInsideTheBox) {
  FitSize s = FitInside(600, 400, 3000, 4000);
  EXPECT_EQ(300, s.width);
  EXPECT_EQ(400, s.height);
  s = FitInside(600, 400, 4000, 3000);
  EXPECT_EQ(533, s.width);
  EXPECT_EQ(400, s.height);
  s = FitInside(200, 400, 300, 400);  // portrait wider than a narrow box
  EXPECT_EQ(200, s.width);
  EXPECT_EQ(266, s.height);
  s = FitInside(600, 400, 100, 50);  // small pictures are enlarged
  EXPECT_EQ(600, s.width);
  EXPECT_EQ(300, s.height);
}

TEST(FitRule, NothingToFit) {
  for (const FitSize& s : {FitInside(600, 400, 0, 300), FitInside(600, 400, 300, 0), FitInside(600, 400, 0, 0)}) {
    EXPECT_EQ(0, s.width);
    EXPECT_EQ(0, s.height);
  }
  const FitSize s = FitInside(0, 0, 300, 400);
  EXPECT_EQ(0, s.width);
  EXPECT_EQ(0, s.height);
}
