// The sheet page "アプリ設定": the check box that keeps the main window above
// all others, the one that lets a turn add a missing Orientation entry, and
// the one that turns a JPEG's raw twins with it.
// Stored when the sheet applies (OK or Apply).
#pragma once

#include <windows.h>

#include "control_factory.h"
#include "property_page.h"

class PropAppSetting_CL : public PropertyPage_CL {
 public:
  // `windowTopMost`, `addOrientation` and `turnRawTwins` are the program's
  // shared settings (SaveData_CL's): they are shown and, on apply, replaced
  // and saved.
  PropAppSetting_CL(bool& windowTopMost, bool& addOrientation, bool& turnRawTwins);
  ~PropAppSetting_CL() override;

  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  // Null until the page is laid out.
  ControlBase_CL* TopMostCheck() const { return topMostCheck; }
  ControlBase_CL* AddOrientationCheck() const { return addOrientationCheck; }
  ControlBase_CL* RawTwinsCheck() const { return rawTwinsCheck; }

 private:
  void Layout();
  void OnApply() override;

  ControlFactory_CL controls;
  ControlBase_CL* topMostCheck = NULL;
  ControlBase_CL* addOrientationCheck = NULL;
  ControlBase_CL* rawTwinsCheck = NULL;
  bool& windowTopMost;
  bool& addOrientation;
  bool& turnRawTwins;
};
