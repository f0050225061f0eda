#include "property_page.h"

#include <commctrl.h>
#include <prsht.h>

INT_PTR PropertyPage_CL::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->code == static_cast<UINT>(PSN_APPLY)) OnApply();
    // PSNRET_NOERROR for an apply; nothing else is answered.
    return 0;
  }
  return SubClassDialogBase_CL::HandleMessage(window, message, wParam, lParam);
}

void PropertyPage_CL::MarkChanged() {
  if (hwnd) SendMessageW(GetParent(hwnd), PSM_CHANGED, reinterpret_cast<WPARAM>(hwnd), 0);
}
