#include "popup_menu.h"

#include "image_list.h"
#include "window_dpi.h"

MenuItem::MenuItem() : info() {
  info.cbSize = sizeof(MENUITEMINFOW);
  info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING | MIIM_FTYPE;
  info.fType = MFT_OWNERDRAW;
  info.fState = 0;
}

PopupMenu_CL::~PopupMenu_CL() {
  if (menu) DestroyMenu(menu);
}

HMENU PopupMenu_CL::CreatePopup() {
  menu = CreatePopupMenu();
  return menu;
}

HMENU PopupMenu_CL::CreateBar() {
  menu = CreateMenu();
  return menu;
}

MenuItem& PopupMenu_CL::GetItem(std::size_t i) {
  if (i == items.size()) items.emplace_back();
  return items[i];
}

bool PopupMenu_CL::AppendOwnerDrawItem(UINT command, const wchar_t* text, int imageIndex) {
  if (!menu) return false;
  MenuItem& item = GetItem(items.size());
  item.text = text ? text : L"";
  item.imageIndex = imageIndex;
  item.info.wID = command;
  item.info.fType = MFT_OWNERDRAW;
  item.info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  item.info.dwTypeData = &item.text[0];
  item.info.cch = static_cast<UINT>(item.text.size());
  const int at = GetMenuItemCount(menu);
  return InsertMenuItemW(menu, static_cast<UINT>(at < 0 ? 0 : at), TRUE, &item.info) != FALSE;
}

bool PopupMenu_CL::AppendSeparator() {
  if (!menu) return false;
  MENUITEMINFOW separator = {};
  separator.cbSize = sizeof(separator);
  separator.fMask = MIIM_FTYPE;
  separator.fType = MFT_SEPARATOR;
  const int at = GetMenuItemCount(menu);
  return InsertMenuItemW(menu, static_cast<UINT>(at < 0 ? 0 : at), TRUE, &separator) != FALSE;
}

const MenuItem* PopupMenu_CL::FindItem(UINT command) const {
  for (const MenuItem& item : items) {
    if (item.info.wID == command) return &item;
  }
  return nullptr;
}

bool BuildContextMenu(PopupMenu_CL& menu, ImageList_CL& images, const std::wstring& imagePath,
                      const ContextMenuEntry* entries, std::size_t count, int dpi) {
  // Read at every showing: a missing file leaves the items without images.
  images.LoadBitmapStripForDpi(imagePath, kMenuImageWidth, dpi);
  if (!menu.CreatePopup()) return false;
  menu.images = images.Handle();
  for (std::size_t i = 0; i < count; ++i) {
    if (entries[i].command == 0) {
      menu.AppendSeparator();
    } else {
      menu.AppendOwnerDrawItem(entries[i].command, entries[i].text, entries[i].image);
    }
  }
  return true;
}

void ShowPaneContextMenu(HWND owner, const std::wstring& imagePath, const ContextMenuEntry* entries,
                         std::size_t count) {
  PopupMenu_CL menu;
  ImageList_CL images;
  if (!BuildContextMenu(menu, images, imagePath, entries, count, WindowDpi(owner))) return;
  POINT cursor = {};
  GetCursorPos(&cursor);
  TrackPopupMenu(menu.menu, TPM_VERTICAL, cursor.x, cursor.y, 0, owner, NULL);
}
