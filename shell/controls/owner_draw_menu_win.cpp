#include "owner_draw_menu.h"

#include <commctrl.h>

#include <string>

#include "popup_menu.h"
#include "win_handles.h"

namespace {

struct ItemText {
  std::wstring label;
  std::wstring right;  // after the first tab
};

// The item's text as the menu holds it; false for an item without text.
bool ReadItemText(HMENU menu, UINT command, ItemText* text) {
  wchar_t buffer[260] = {};
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_BITMAP | MIIM_FTYPE;
  info.dwTypeData = buffer;
  info.cch = 260;
  if (!menu || !GetMenuItemInfoW(menu, command, FALSE, &info)) return false;
  const std::wstring all(buffer);
  if (all.empty()) return false;
  const std::wstring::size_type tab = all.find(L'\t');
  text->label = all.substr(0, tab);
  text->right = tab == std::wstring::npos ? std::wstring() : all.substr(tab + 1);
  return true;
}

SIZE ImageSize(HIMAGELIST images) {
  SIZE size = {0, 0};
  int cx = 0;
  int cy = 0;
  if (images && ImageList_GetIconSize(images, &cx, &cy)) {
    size.cx = cx;
    size.cy = cy;
  }
  return size;
}

void Measure(HWND window, MEASUREITEMSTRUCT* measure) {
  PopupMenu_CL* popup = reinterpret_cast<PopupMenu_CL*>(measure->itemData);
  ItemText text;
  if (!ReadItemText(popup->menu, measure->itemID, &text)) return;
  WindowDc_CL dc(window);
  if (!dc) return;
  SelectObject_CL font(dc.Get(), GetStockObject(DEFAULT_GUI_FONT));
  SIZE extent = {0, 0};
  GetTextExtentPoint32W(dc.Get(), text.label.c_str(), static_cast<int>(text.label.size()), &extent);
  const SIZE image = ImageSize(popup->images);
  const SIZE size = MenuItemSize(extent, popup->images != NULL, image.cx, image.cy);
  measure->itemWidth = static_cast<UINT>(size.cx);
  measure->itemHeight = static_cast<UINT>(size.cy);
}

void Draw(DRAWITEMSTRUCT* draw) {
  PopupMenu_CL* popup = reinterpret_cast<PopupMenu_CL*>(draw->itemData);
  ItemText text;
  if (!ReadItemText(popup->menu, draw->itemID, &text)) return;
  const bool selected = (draw->itemState & ODS_SELECTED) != 0;
  const bool disabled = (draw->itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
  const COLORREF background = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU);
  COLORREF foreground;
  if (selected) {
    foreground = GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_HIGHLIGHTTEXT);
  } else {
    foreground = GetSysColor(disabled ? COLOR_BTNSHADOW : COLOR_MENUTEXT);
  }
  HDC dc = draw->hDC;
  const int saved = SaveDC(dc);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetBkColor(dc, background);
  SetTextColor(dc, foreground);
  RECT item = draw->rcItem;
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &item, NULL, 0, NULL);
  const SIZE image = ImageSize(popup->images);
  RECT labelBox = item;
  if (popup->images) labelBox.left += image.cx + 4;
  DrawTextW(dc, text.label.c_str(), static_cast<int>(text.label.size()), &labelBox,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (!text.right.empty()) {
    RECT rightBox = item;
    rightBox.right -= 24;
    DrawTextW(dc, text.right.c_str(), static_cast<int>(text.right.size()), &rightBox,
              DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
  }
  if (popup->images) {
    const MenuItem* record = popup->FindItem(draw->itemID);
    if (record && record->imageIndex != -1) {
      ImageList_DrawEx(popup->images, record->imageIndex, dc, item.left, item.top, image.cx, image.cy,
                       background, foreground, ILD_NORMAL);
    }
  }
  RestoreDC(dc, saved);
}

}  // namespace

SIZE MenuItemSize(SIZE labelExtent, bool hasImages, int imageWidth, int imageHeight) {
  SIZE size;
  size.cx = labelExtent.cx + 48;
  size.cy = labelExtent.cy + 1;
  if (hasImages) {
    size.cx += imageWidth + 4;
    if (size.cy < imageHeight + 1) size.cy = imageHeight + 1;
  }
  return size;
}

bool OwnerDrawMenu(HWND window, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_MEASUREITEM) {
    MEASUREITEMSTRUCT* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (!measure || measure->CtlType != ODT_MENU || !measure->itemData) return false;
    Measure(window, measure);
    return true;
  }
  if (message == WM_DRAWITEM) {
    DRAWITEMSTRUCT* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (!draw || draw->CtlType != ODT_MENU || !draw->itemData) return false;
    Draw(draw);
    return true;
  }
  return false;
}
