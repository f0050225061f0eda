// The sheet page "アプリ設定": the check box that keeps the main window above
// all others. Stored when the sheet applies (OK or Apply).
#pragma once

#include <windows.h>

#include "control_factory.h"
#include "subclass_dialog_base.h"

class PropAppSetting_CL : public SubClassDialogBase_CL {
 public:
  // `windowTopMost` is the program's shared setting (SaveData_CL's): it is
  // shown and, on apply, replaced and saved.
  explicit PropAppSetting_CL(bool& windowTopMost);
  ~PropAppSetting_CL() override;

  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  // Null until the page is laid out.
  ControlBase_CL* TopMostCheck() const { return topMostCheck; }

 private:
  void Layout();

  ControlFactory_CL controls;
  ControlBase_CL* topMostCheck = NULL;
  bool& windowTopMost;
};
