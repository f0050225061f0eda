#include "app_sheets.h"

#include "prop_app_setting.h"
#include "prop_app_version.h"
#include "property_sheet.h"

const wchar_t kAppSettingTitle[] = L"アプリ設定";
const wchar_t kVersionInfoTitle[] = L"バージョン情報";

INT_PTR ShowAppSettingSheet(HWND owner, bool& windowTopMost, bool& addOrientation, bool& turnRawTwins) {
  HWND sheetWindow = owner;
  PropertySheet sheet;
  sheet.publishSlot = &sheetWindow;
  PropAppSetting_CL settingPage(windowTopMost, addOrientation, turnRawTwins);
  PropAppVersion_CL versionPage;
  sheet.AddPage(&settingPage, kAppSettingTitle);
  sheet.AddPage(&versionPage, kVersionInfoTitle);
  return sheet.Show(owner, kAppSettingTitle);
}

INT_PTR ShowVersionSheet(HWND owner) {
  HWND sheetWindow = owner;
  PropertySheet sheet;
  sheet.publishSlot = &sheetWindow;
  PropAppVersion_CL versionPage;
  sheet.AddPage(&versionPage, kVersionInfoTitle);
  return sheet.Show(owner, kVersionInfoTitle);
}
