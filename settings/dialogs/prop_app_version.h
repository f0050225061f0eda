// The sheet page "バージョン情報": the version, the support site (the program
// icon and a button both open it) and the check box that turns the update
// notices off. The check box is stored when the sheet applies.
#pragma once

#include <windows.h>

#include "control_factory.h"
#include "property_page.h"

class PropAppVersion_CL : public PropertyPage_CL {
 public:
  PropAppVersion_CL();
  ~PropAppVersion_CL() override;

  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  // Null until the page is laid out.
  ControlBase_CL* NotifyCheck() const { return notifyCheck; }
  ControlBase_CL* IconButton() const { return iconButton; }
  ControlBase_CL* SupportButton() const { return supportButton; }

 private:
  void Layout();
  void OnApply() override;

  ControlFactory_CL controls;
  ControlBase_CL* notifyCheck = NULL;
  ControlBase_CL* iconButton = NULL;
  ControlBase_CL* supportButton = NULL;
  WORD iconId;
};
