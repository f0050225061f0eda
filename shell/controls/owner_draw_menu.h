// Measuring and drawing the owner-drawn items of PopupMenu_CL menus: the
// image column, the label and a right-aligned part after a tab.
#pragma once

#include <windows.h>

// For every message of the window that owns a shown menu: acts on
// WM_MEASUREITEM and WM_DRAWITEM of menu items that belong to a PopupMenu_CL
// and returns true for them; false for everything else.
bool OwnerDrawMenu(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The size of a menu item: label extent + 48 wide and text height + 1 high;
// with images, wider by the image width + 4 and at least image height + 1
// high.
SIZE MenuItemSize(SIZE labelExtent, bool hasImages, int imageWidth, int imageHeight);
