#include "prop_app_version.h"

#include <commctrl.h>
#include <prsht.h>

#include <string>

#include "app_settings.h"
#include "property_sheet.h"
#include "dialog_metrics.h"
#include "group_box.h"
#include "group_box_include.h"
#include "resource_ids.h"
#include "site_open.h"
#include "update_server.h"
#include "window_layout.h"

PropAppVersion_CL::PropAppVersion_CL() : iconId(IDI_APP_ICON) { style = kDialogStyle; }

PropAppVersion_CL::~PropAppVersion_CL() {}

void PropAppVersion_CL::Layout() {
  MoveWindow(hwnd, 0, 0, kPageWidth, kPageHeight, FALSE);
  const DialogMetrics m = GetPageMetrics(hwnd);
  const int x = m.charWidth / 2;

  const int notify = controls.AddCheckBox(hwnd, L"バージョンアップの通知をしない", x);
  notifyCheck = controls.Control(notify);

  const int icon = controls.AddButton(hwnd, L"OK", 0);
  iconButton = controls.Control(icon);
  iconButton->Resize(36, 36, TRUE);
  if (iconButton->hwnd) {
    SetWindowLongW(iconButton->hwnd, GWL_STYLE,
                   GetWindowLongW(iconButton->hwnd, GWL_STYLE) | BS_ICON | BS_FLAT);
    // Shared: the system keeps and frees it.
    HANDLE image = LoadImageW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(iconId), IMAGE_ICON, 32, 32,
                              LR_DEFAULTSIZE | LR_SHARED);
    if (image) SendMessageW(iconButton->hwnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(image));
  }

  const std::wstring version = std::wstring(L"Version : ") + kAppVersion;
  const int versionText = controls.AddStaticText(hwnd, version.c_str(), x, 0);
  const int blankLine = controls.AddStaticText(hwnd, L"\x3000", x, 0);
  const int siteText = controls.AddStaticText(hwnd, L"サポートサイトへ", x, 0);
  const int support = controls.AddButton(hwnd, L"\x3000\x3000サポートサイトへ\x3000\x3000", m.charWidth);
  supportButton = controls.Control(support);

  if (LoadNotifySetting() != 0 && notifyCheck->hwnd) {
    SendMessageW(notifyCheck->hwnd, BM_SETCHECK, BST_CHECKED, 0);
  }

  const int stack[] = {icon, versionText, blankLine, siteText, support, -1};
  controls.StackVertically(stack, 68, 4);

  const int noticeGroup =
      controls.AddGroupBox(hwnd, L"バージョンアップの通知", m.width, 2 * m.charHeight, 0);
  GroupBox_CL* notices = static_cast<GroupBox_CL*>(controls.Control(noticeGroup));
  IncludeInGroupBox(notices, notifyCheck->hwnd);
  notices->Resize(WindowRectInParent(notices->hwnd).right - WindowRectInParent(notices->hwnd).left,
                  notices->contentHeight + 8, TRUE);

  const int versionGroup = controls.AddGroupBox(hwnd, L"バージョン情報", m.width, 4 * m.charWidth, 52);
  GroupBox_CL* versions = static_cast<GroupBox_CL*>(controls.Control(versionGroup));
  IncludeInGroupBox(versions, supportButton->hwnd);
  versions->Resize(WindowRectInParent(versions->hwnd).right - WindowRectInParent(versions->hwnd).left,
                   versions->contentHeight + 8, TRUE);

  const RECT iconPlace = WindowRectInParent(iconButton->hwnd);
  controls.MoveTo(icon, iconPlace.left + 8, iconPlace.top);
}

INT_PTR PropAppVersion_CL::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Layout();
      ShowWindow(window, SW_SHOW);
      return 1;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if ((iconButton && id == iconButton->controlId) ||
          (supportButton && id == supportButton->controlId)) {
        OpenSiteAddress(SupportSiteAddress());
      } else if (notifyCheck && id == notifyCheck->controlId) {
        MarkChanged();
      }
      return 0;
    }
    default:
      return PropertyPage_CL::HandleMessage(window, message, wParam, lParam);
  }
}

void PropAppVersion_CL::OnApply() {
  if (!notifyCheck) return;
  const LRESULT state = SendMessageW(notifyCheck->hwnd, BM_GETCHECK, 0, 0);
  SaveNotifySetting(static_cast<int>(state & 0xFF));
}
