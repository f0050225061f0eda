#include "prop_app_setting.h"

#include <commctrl.h>
#include <prsht.h>

#include "app_settings.h"
#include "property_sheet.h"

PropAppSetting_CL::PropAppSetting_CL(bool& windowTopMost_) : windowTopMost(windowTopMost_) {
  style = kDialogStyle;
}

PropAppSetting_CL::~PropAppSetting_CL() {}

void PropAppSetting_CL::Layout() {
  MoveWindow(hwnd, 0, 0, kPageWidth, kPageHeight, FALSE);
  const int check = controls.AddCheckBox(hwnd, L"ウインドウを常に最前面に表示する", 8);
  topMostCheck = controls.Control(check);
  if (windowTopMost && topMostCheck->hwnd) {
    SendMessageW(topMostCheck->hwnd, BM_SETCHECK, BST_CHECKED, 0);
  }
  const int stack[] = {check, -1};
  controls.StackVertically(stack, 4, 8);
}

INT_PTR PropAppSetting_CL::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Layout();
      ShowWindow(window, SW_SHOW);
      return 1;
    case WM_COMMAND:
      if (topMostCheck && LOWORD(wParam) == topMostCheck->controlId) {
        SendMessageW(GetParent(window), PSM_CHANGED, reinterpret_cast<WPARAM>(window), 0);
      }
      return 0;
    case WM_NOTIFY: {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header && header->code == static_cast<UINT>(PSN_APPLY) && topMostCheck) {
        const LRESULT state = SendMessageW(topMostCheck->hwnd, BM_GETCHECK, 0, 0);
        windowTopMost = (state & 0xFF) != 0;
        SaveWindowTopMost(windowTopMost ? 1 : 0);
      }
      return 0;
    }
    case WM_CLOSE:
      EndDialog(window, 0);
      return 0;
    default:
      return 0;
  }
}
