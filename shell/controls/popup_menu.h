// Owner-drawn pop-up menus whose items show an image from an image list
// beside their text, and the context menus of the two panes built with them.
// The window that owns a shown menu passes its WM_MEASUREITEM and
// WM_DRAWITEM to OwnerDrawMenu (owner_draw_menu.h).
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <deque>
#include <string>

#include "image_list.h"

// One owner-drawn item as it was inserted, and its image in the menu's list.
struct MenuItem {
  MenuItem();
  MENUITEMINFOW info;
  int imageIndex = 0;  // -1: no image
  std::wstring text;
};

class PopupMenu_CL {
 public:
  PopupMenu_CL() {}
  virtual ~PopupMenu_CL();
  PopupMenu_CL(const PopupMenu_CL&) = delete;
  PopupMenu_CL& operator=(const PopupMenu_CL&) = delete;

  virtual HMENU CreatePopup();
  virtual HMENU CreateBar();

  // The record at position i; asking for the next position appends one.
  MenuItem& GetItem(std::size_t i);
  // Appends an owner-drawn item with its text and image (-1 for none).
  bool AppendOwnerDrawItem(UINT command, const wchar_t* text, int imageIndex);
  // Appends a plain separator; it has no record.
  bool AppendSeparator();
  // The record of the item with this command, or null.
  const MenuItem* FindItem(UINT command) const;

  HMENU menu = NULL;
  std::deque<MenuItem> items;  // references stay valid while items are added
  HIMAGELIST images = NULL;    // borrowed
};

// One line of a pane's context menu; command 0 is a separator.
struct ContextMenuEntry {
  UINT command;
  const wchar_t* text;
  int image;
};

// Builds the menu from the entries, with the images of the 24-pixel strip in
// imagePath (none when it is missing), or of its larger drawing nearest to
// dpi. False when the menu cannot be made.
bool BuildContextMenu(PopupMenu_CL& menu, ImageList_CL& images, const std::wstring& imagePath,
                      const ContextMenuEntry* entries, std::size_t count, int dpi = 96);
// Builds the menu for owner's DPI and shows it at the cursor, owned by owner, which receives
// the chosen command as WM_COMMAND; returns when the menu has closed.
void ShowPaneContextMenu(HWND owner, const std::wstring& imagePath, const ContextMenuEntry* entries,
                         std::size_t count);

// Width of the images in "menu_image.bmp" (the 100 % drawing).
const int kMenuImageWidth = 24;
