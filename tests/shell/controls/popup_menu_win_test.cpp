#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls_test_window.h"
#include "my_picture_image.h"
#include "my_picture_list_view.h"
#include "owner_draw_menu.h"
#include "popup_menu.h"

namespace {

SIZE LabelExtent(HWND window, const std::wstring& label) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE extent = {};
  GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return extent;
}

MEASUREITEMSTRUCT Measure(HWND window, const PopupMenu_CL& menu, UINT command) {
  MEASUREITEMSTRUCT measure = {};
  measure.CtlType = ODT_MENU;
  measure.itemID = command;
  measure.itemData = reinterpret_cast<ULONG_PTR>(&menu);
  EXPECT_TRUE(OwnerDrawMenu(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
  return measure;
}

std::wstring ItemText(HMENU menu, UINT position) {
  wchar_t text[64] = L"";
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  info.dwTypeData = text;
  info.cch = 64;
  GetMenuItemInfoW(menu, position, TRUE, &info);
  return text;
}

UINT ItemType(HMENU menu, UINT position) {
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE;
  GetMenuItemInfoW(menu, position, TRUE, &info);
  return info.fType;
}

TEST(PopupMenu, TheStripsAndThePreviewsMenus) {
  struct Pane {
    const ContextMenuEntry* entries;
    std::size_t count;
    const wchar_t* left;
    const wchar_t* right;
  };
  const Pane panes[] = {
      {MyPictureListView_CL::kContextMenu, MyPictureListView_CL::kContextMenuSize, L"左に９０度回転", L"右に９０度回転"},
      {MyPictureImage_CL::kContextMenu, MyPictureImage_CL::kContextMenuSize, L"左に９０度回転",
       L"右に９０度回転"}};
  for (const Pane& pane : panes) {
    PopupMenu_CL menu;
    ImageList_CL images;
    ASSERT_TRUE(BuildContextMenu(menu, images, PictureFile(L"menu_image.bmp"), pane.entries, pane.count));
    EXPECT_EQ(images.Handle(), menu.images);
    ASSERT_EQ(4, GetMenuItemCount(menu.menu));
    EXPECT_EQ(191u, GetMenuItemID(menu.menu, 0));
    EXPECT_EQ(192u, GetMenuItemID(menu.menu, 1));
    EXPECT_EQ(180u, GetMenuItemID(menu.menu, 3));
    EXPECT_EQ(std::wstring(pane.left), ItemText(menu.menu, 0));
    EXPECT_EQ(std::wstring(pane.right), ItemText(menu.menu, 1));
    EXPECT_EQ(std::wstring(L"サポートサイトへ"), ItemText(menu.menu, 3));
    EXPECT_TRUE(ItemType(menu.menu, 0) & MFT_OWNERDRAW);
    EXPECT_TRUE(ItemType(menu.menu, 2) & MFT_SEPARATOR);
    EXPECT_FALSE(ItemType(menu.menu, 2) & MFT_OWNERDRAW);
    ASSERT_EQ(3u, menu.items.size());  // the separator has no record
    EXPECT_EQ(3, menu.FindItem(191)->imageIndex);
    EXPECT_EQ(4, menu.FindItem(192)->imageIndex);
    EXPECT_EQ(1, menu.FindItem(180)->imageIndex);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(&menu), menu.FindItem(180)->info.dwItemData);
  }
}

TEST(PopupMenu, AnItemIsAsWideAsItsLabelAnImageAndTheMargins) {
  ControlsTestWindow owner;
  PopupMenu_CL menu;
  ImageList_CL images;
  ASSERT_TRUE(BuildContextMenu(menu, images, PictureFile(L"menu_image.bmp"), MyPictureImage_CL::kContextMenu,
                               MyPictureImage_CL::kContextMenuSize));
  for (const ContextMenuEntry& entry : {MyPictureImage_CL::kContextMenu[0], MyPictureImage_CL::kContextMenu[3]}) {
    const SIZE label = LabelExtent(owner.Get(), entry.text);
    const MEASUREITEMSTRUCT measure = Measure(owner.Get(), menu, entry.command);
    EXPECT_EQ(static_cast<UINT>(label.cx + 48 + 24 + 4), measure.itemWidth) << entry.command;
    EXPECT_EQ(static_cast<UINT>(label.cy + 1 > 25 ? label.cy + 1 : 25), measure.itemHeight) << entry.command;
  }
  // Without the picture file the items have no image column.
  PopupMenu_CL plain;
  ImageList_CL none;
  ASSERT_TRUE(BuildContextMenu(plain, none, PictureFile(L"no such file.bmp"), MyPictureImage_CL::kContextMenu,
                               MyPictureImage_CL::kContextMenuSize));
  EXPECT_EQ(nullptr, plain.images);
  const SIZE label = LabelExtent(owner.Get(), L"サポートサイトへ");
  const MEASUREITEMSTRUCT measure = Measure(owner.Get(), plain, 180);
  EXPECT_EQ(static_cast<UINT>(label.cx + 48), measure.itemWidth);
  EXPECT_EQ(static_cast<UINT>(label.cy + 1), measure.itemHeight);
}

// Draws one item of menu into a 200 x 25 bitmap and reads the pixels back.
struct DrawnItem {
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * 200 + x]; }
  bool Has(COLORREF colour, int left, int right) const {
    for (int y = 0; y < 25; ++y) {
      for (int x = left; x < right; ++x) {
        if (At(x, y) == colour) return true;
      }
    }
    return false;
  }
};

DrawnItem Draw(HWND owner, PopupMenu_CL& menu, UINT command, UINT state) {
  HDC screen = GetDC(NULL);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 25);
  HGDIOBJ old = SelectObject(dc, bitmap);
  DRAWITEMSTRUCT draw = {};
  draw.CtlType = ODT_MENU;
  draw.itemID = command;
  draw.itemState = state;
  draw.hDC = dc;
  draw.rcItem = {0, 0, 200, 25};
  draw.itemData = reinterpret_cast<ULONG_PTR>(&menu);
  EXPECT_TRUE(OwnerDrawMenu(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
  DrawnItem item;
  for (int y = 0; y < 25; ++y) {
    for (int x = 0; x < 200; ++x) item.pixels.push_back(GetPixel(dc, x, y));
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(NULL, screen);
  return item;
}

TEST(PopupMenu, ItemsAreDrawnInTheMenuColoursWithTheirImage) {
  ControlsTestWindow owner;
  PopupMenu_CL menu;
  ImageList_CL images;
  ASSERT_TRUE(BuildContextMenu(menu, images, PictureFile(L"menu_image.bmp"), MyPictureImage_CL::kContextMenu,
                               MyPictureImage_CL::kContextMenuSize));
  const DrawnItem normal = Draw(owner.Get(), menu, 180, 0);
  EXPECT_EQ(GetSysColor(COLOR_MENU), normal.At(199, 24));
  EXPECT_TRUE(normal.Has(GetSysColor(COLOR_MENUTEXT), 28, 200));  // the label, after the image
  EXPECT_FALSE(normal.Has(GetSysColor(COLOR_MENUTEXT), 0, 27));
  EXPECT_NE(GetSysColor(COLOR_MENU), normal.At(12, 12));           // the globe
  EXPECT_EQ(GetSysColor(COLOR_MENU), normal.At(0, 0));             // its transparent corner

  const DrawnItem selected = Draw(owner.Get(), menu, 180, ODS_SELECTED);
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), selected.At(199, 24));
  EXPECT_TRUE(selected.Has(GetSysColor(COLOR_HIGHLIGHTTEXT), 28, 200));

  // A disabled, selected item: grey text on the highlight.
  const DrawnItem disabled = Draw(owner.Get(), menu, 180, ODS_SELECTED | ODS_GRAYED);
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), disabled.At(199, 24));
  EXPECT_TRUE(disabled.Has(GetSysColor(COLOR_GRAYTEXT), 28, 200));
  EXPECT_FALSE(disabled.Has(GetSysColor(COLOR_HIGHLIGHTTEXT), 28, 200));
}

}  // namespace
