#include <gtest/gtest.h>

#include "thumbnail_rule.h"

namespace {

DrawRect Thumb(int W, int H, int w, int h) {
  DrawRect r;
  EXPECT_TRUE(ThumbnailRect(W, H, w, h, &r));
  return r;
}

void ExpectRect(const DrawRect& r, int x, int y, int width, int height) {
  EXPECT_EQ(x, r.x);
  EXPECT_EQ(y, r.y);
  EXPECT_EQ(width, r.width);
  EXPECT_EQ(height, r.height);
}

TEST(ThumbnailRule, LongerSideSetsTheScale) {
  // A 4000 x 3000 photo with Orientation 6 is 3000 x 4000 once upright.
  ExpectRect(Thumb(192, 144, 3000, 4000), 42, 0, 108, 144);
  ExpectRect(Thumb(192, 144, 4000, 3000), 0, 0, 192, 144);
  ExpectRect(Thumb(192, 144, 1000, 500), 0, 24, 192, 96);
}

TEST(ThumbnailRule, SquareAndTallLandscapeOverflowAndAreCentred) {
  // Not compared with the cell: a square fills the width and is clipped.
  ExpectRect(Thumb(192, 144, 500, 500), 0, -24, 192, 192);
  // An odd overflow truncates towards zero on both ends.
  ExpectRect(Thumb(192, 145, 100, 100), 0, -23, 192, 192);
  ExpectRect(Thumb(191, 144, 300, 400), 41, 0, 108, 144);
}

TEST(ThumbnailRule, ExtremeSizes) {
  // A one-pixel-high panorama is drawn zero pixels high, in the middle.
  ExpectRect(Thumb(192, 144, 1000, 1), 0, 72, 192, 0);
  // Products beyond 32 bits do not wrap.
  ExpectRect(Thumb(60000, 60000, 65535, 40000), 0, 11689, 60000, 36621);
  ExpectRect(Thumb(192, 144, 1, 65535), 96, 0, 0, 144);
}

TEST(ThumbnailRule, PictureWithoutSizeIsNeverDividedBy) {
  DrawRect r;
  r.x = 7;
  EXPECT_FALSE(ThumbnailRect(192, 144, 0, 3000, &r));
  EXPECT_FALSE(ThumbnailRect(192, 144, 4000, 0, &r));
  EXPECT_FALSE(ThumbnailRect(192, 144, 0, 0, &r));
  EXPECT_FALSE(ThumbnailRect(192, 144, -4, 3, &r));
  EXPECT_FALSE(ThumbnailRect(192, 144, 4, 3, nullptr));
  EXPECT_EQ(7, r.x);  // untouched
}

}  // namespace

TEST(EmbeddedPicture, SameAspectIsTheWholeThumbnail) {
  DrawRect r;
  bool banded = true;
  ASSERT_TRUE(EmbeddedPictureRect(4000, 3000, 160, 120, &r, &banded));
  EXPECT_FALSE(banded);
  EXPECT_EQ(160, r.width);
  EXPECT_EQ(120, r.height);
  // A few per cent apart still counts as the same picture.
  ASSERT_TRUE(EmbeddedPictureRect(4032, 3024, 160, 118, &r, &banded));
  EXPECT_FALSE(banded);
}

TEST(EmbeddedPicture, OtherAspectsAreTheCentredBand) {
  DrawRect r;
  bool banded = false;
  // 3:2 photo in a 4:3 thumbnail: 160 x 106 at y = 7.
  ASSERT_TRUE(EmbeddedPictureRect(6000, 4000, 160, 120, &r, &banded));
  EXPECT_TRUE(banded);
  EXPECT_EQ(0, r.x);
  EXPECT_EQ(7, r.y);
  EXPECT_EQ(160, r.width);
  EXPECT_EQ(106, r.height);
  // A portrait photo stored upright in a landscape thumbnail: bands left and right.
  ASSERT_TRUE(EmbeddedPictureRect(3000, 4000, 160, 120, &r, &banded));
  EXPECT_TRUE(banded);
  EXPECT_EQ(90, r.width);
  EXPECT_EQ(35, r.x);
  EXPECT_EQ(120, r.height);
}

TEST(EmbeddedPicture, EmptyOrExtremeSizes) {
  DrawRect r;
  bool banded = false;
  EXPECT_FALSE(EmbeddedPictureRect(0, 3000, 160, 120, &r, &banded));
  EXPECT_FALSE(EmbeddedPictureRect(4000, 3000, 160, 0, &r, &banded));
  // A panorama so wide that its band in the thumbnail is less than a pixel.
  EXPECT_FALSE(EmbeddedPictureRect(65535, 1, 160, 120, &r, &banded));
  EXPECT_TRUE(EmbeddedPictureRect(65535, 65535, 65535, 65535, &r, &banded));
  EXPECT_FALSE(banded);
}
