#include "prop_app_setting.h"

#include "app_settings.h"
#include "property_sheet.h"

namespace {

void SetChecked(ControlBase_CL* box, bool checked) {
  if (box && box->hwnd) SendMessageW(box->hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool IsChecked(ControlBase_CL* box) { return (SendMessageW(box->hwnd, BM_GETCHECK, 0, 0) & 0xFF) != 0; }

}  // namespace

PropAppSetting_CL::PropAppSetting_CL(bool& windowTopMost_, bool& addOrientation_, bool& turnRawTwins_)
    : windowTopMost(windowTopMost_), addOrientation(addOrientation_), turnRawTwins(turnRawTwins_) {
  style = kDialogStyle;
}

PropAppSetting_CL::~PropAppSetting_CL() {}

void PropAppSetting_CL::Layout() {
  MoveWindow(hwnd, 0, 0, kPageWidth, kPageHeight, FALSE);
  const int check = controls.AddCheckBox(hwnd, L"ウインドウを常に最前面に表示する", 8);
  topMostCheck = controls.Control(check);
  SetChecked(topMostCheck, windowTopMost);
  const int add = controls.AddCheckBox(hwnd, L"Orientationがない写真にも追加して回転する", 8);
  addOrientationCheck = controls.Control(add);
  SetChecked(addOrientationCheck, addOrientation);
  const int twins = controls.AddCheckBox(hwnd, L"RAWファイルも一緒に回転する", 8);
  rawTwinsCheck = controls.Control(twins);
  SetChecked(rawTwinsCheck, turnRawTwins);
  const int stack[] = {check, add, twins, -1};
  controls.StackVertically(stack, 4, 8);
}

INT_PTR PropAppSetting_CL::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Layout();
      ShowWindow(window, SW_SHOW);
      return 1;
    case WM_COMMAND:
      if ((topMostCheck && LOWORD(wParam) == topMostCheck->controlId) ||
          (addOrientationCheck && LOWORD(wParam) == addOrientationCheck->controlId) ||
          (rawTwinsCheck && LOWORD(wParam) == rawTwinsCheck->controlId)) {
        MarkChanged();
      }
      return 0;
    default:
      return PropertyPage_CL::HandleMessage(window, message, wParam, lParam);
  }
}

void PropAppSetting_CL::OnApply() {
  if (!topMostCheck || !addOrientationCheck || !rawTwinsCheck) return;
  windowTopMost = IsChecked(topMostCheck);
  SaveWindowTopMost(windowTopMost ? 1 : 0);
  addOrientation = IsChecked(addOrientationCheck);
  SaveAddOrientation(addOrientation ? 1 : 0);
  turnRawTwins = IsChecked(rawTwinsCheck);
  SaveTurnRawTwins(turnRawTwins ? 1 : 0);
}
