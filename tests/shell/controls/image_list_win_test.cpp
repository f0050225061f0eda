#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "controls_test_window.h"
#include "image_list.h"

#include <string>
#include <vector>

namespace {

// The colours an image leaves on a white surface, row by row.
std::vector<COLORREF> DrawnOnWhite(HIMAGELIST list, int image, int size) {
  HDC screen = GetDC(NULL);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 64);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all = {0, 0, 64, 64};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageList_Draw(list, image, dc, 0, 0, ILD_TRANSPARENT);
  std::vector<COLORREF> colours;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) colours.push_back(GetPixel(dc, x, y));
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(NULL, screen);
  return colours;
}

TEST(ImageList, TheProgramsStripsCutIntoTheirImages) {
  ImageList_CL toolbar;
  ASSERT_TRUE(toolbar.LoadBitmapStrip(PictureFile(L"ToolBar.bmp"), 48));
  EXPECT_EQ(4, toolbar.ImageCount());
  ImageList_CL menu;
  ASSERT_TRUE(menu.LoadBitmapStrip(PictureFile(L"menu_image.bmp"), 24));
  EXPECT_EQ(5, menu.ImageCount());
  int cx = 0;
  int cy = 0;
  ImageList_GetIconSize(menu.Handle(), &cx, &cy);
  EXPECT_EQ(24, cx);
  EXPECT_EQ(24, cy);
  // Magenta is transparent: the corners show the surface; the middle of the
  // globe (image 1) does not.
  const std::vector<COLORREF> globe = DrawnOnWhite(menu.Handle(), 1, 24);
  EXPECT_EQ(RGB(255, 255, 255), globe[0]);
  EXPECT_NE(RGB(255, 255, 255), globe[12 * 24 + 12]);
  EXPECT_EQ(RGB(255, 255, 255), DrawnOnWhite(toolbar.Handle(), 3, 48)[2 * 48 + 47]);
  // No pink is left anywhere.
  for (int image = 0; image < 5; ++image) {
    for (COLORREF c : DrawnOnWhite(menu.Handle(), image, 24)) ASSERT_NE(RGB(255, 0, 255), c) << image;
  }
  for (int image = 0; image < 4; ++image) {
    for (COLORREF c : DrawnOnWhite(toolbar.Handle(), image, 48)) ASSERT_NE(RGB(255, 0, 255), c) << image;
  }
}

TEST(ImageList, AMissingFileLeavesTheListAsItWas) {
  ImageList_CL list;
  EXPECT_FALSE(list.LoadBitmapStrip(PictureFile(L"no such file.bmp"), 24));
  EXPECT_EQ(nullptr, list.Handle());
  ASSERT_TRUE(list.LoadBitmapStrip(PictureFile(L"menu_image.bmp"), 24));
  const HIMAGELIST loaded = list.Handle();
  EXPECT_FALSE(list.LoadBitmapStrip(PictureFile(L"no such file.bmp"), 24));
  EXPECT_EQ(loaded, list.Handle());
  // A second load replaces (and frees) the first list.
  ASSERT_TRUE(list.LoadBitmapStrip(PictureFile(L"ToolBar.bmp"), 48));
  EXPECT_EQ(4, list.ImageCount());
}

}  // namespace
