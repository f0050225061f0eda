// Base of a page of a property sheet: the sheet's apply (OK or Apply) reaches
// the page as OnApply, and a change on the page enables the sheet's Apply
// button through MarkChanged.
#pragma once

#include <windows.h>

#include "subclass_dialog_base.h"

class PropertyPage_CL : public SubClassDialogBase_CL {
 public:
  // Serves the sheet's notifications; anything else goes to the dialog base.
  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  // The sheet applies: store what the page shows. The page stays open.
  virtual void OnApply() = 0;
  // Tells the sheet that the page holds something not yet applied.
  void MarkChanged();
};
