#include <gtest/gtest.h>

#include "dpi_scale.h"
#include "main_layout_sizes.h"

namespace {

struct Expected {
  int dpi;
  int cellWidth, cellHeight, thumbnailWidth, thumbnailHeight, splitter, windowWidth;
  float captionPixels;
  int pictureScale, toolbarImage, thumbnailCapacity;
};

// At 100, 125, 150, 175, 200 and 300 % and with a DPI the system could not
// tell: everything laid out grows with the DPI, and the images come from the
// drawing nearest to it at their own size.
TEST(MainLayoutSizes, EverySizeFollowsTheDpiAndTheImagesTheNearestDrawing) {
  const Expected table[] = {
      {96, 196, 164, 192, 144, 4, 672, 13.33f, 100, 48, 800},
      {120, 245, 205, 240, 180, 5, 840, 16.67f, 100, 48, 512},  // halfway: the smaller drawing
      {144, 294, 246, 288, 216, 6, 1008, 20.0f, 150, 72, 355},
      {168, 343, 287, 336, 252, 7, 1176, 23.33f, 150, 72, 261},
      {192, 392, 328, 384, 288, 8, 1344, 26.67f, 200, 96, 200},
      {288, 588, 492, 576, 432, 12, 2016, 40.0f, 200, 96, 88},
      {0, 196, 164, 192, 144, 4, 672, 13.33f, 100, 48, 800},
  };
  for (const Expected& e : table) {
    const MainLayoutSizes sizes = MainLayoutSizesForDpi(e.dpi);
    EXPECT_EQ(e.cellWidth, sizes.cellWidth) << e.dpi;
    EXPECT_EQ(e.cellHeight, sizes.cellHeight) << e.dpi;
    EXPECT_EQ(e.thumbnailWidth, sizes.thumbnailWidth) << e.dpi;
    EXPECT_EQ(e.thumbnailHeight, sizes.thumbnailHeight) << e.dpi;
    EXPECT_EQ(e.splitter, sizes.splitter) << e.dpi;
    EXPECT_EQ(e.windowWidth, sizes.windowWidth) << e.dpi;
    EXPECT_NEAR(e.captionPixels, sizes.captionPixels, 0.01f) << e.dpi;
    EXPECT_EQ(e.pictureScale, sizes.pictureScale) << e.dpi;
    EXPECT_EQ(e.toolbarImage, sizes.toolbarImage) << e.dpi;
    // The kept thumbnails take as much memory as at 96 DPI, not more.
    EXPECT_EQ(e.thumbnailCapacity, ThumbnailsInSameMemory(800, sizes)) << e.dpi;
    // The caption keeps its room below the picture at every scale.
    EXPECT_GE(sizes.cellHeight - sizes.thumbnailHeight, sizes.captionPixels) << e.dpi;
  }
  EXPECT_EQ(L"ToolBar.bmp", PictureFileForScale(L"ToolBar.bmp", 100));
  EXPECT_EQ(L"C:\\Tools\\ToolBar_150.bmp", PictureFileForScale(L"C:\\Tools\\ToolBar.bmp", 150));
  EXPECT_EQ(L"C:\\v1.0\\menu_image_200", PictureFileForScale(L"C:\\v1.0\\menu_image", 200));
}

}  // namespace
