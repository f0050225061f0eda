#include "dialog_metrics.h"

#include <commctrl.h>
#include <prsht.h>

#include "text_extent.h"

namespace {

DialogMetrics MetricsOf(const RECT& rect) {
  const SIZE cell = MeasureCharCell();
  DialogMetrics m;
  m.left = rect.left;
  m.top = rect.top;
  m.right = rect.right;
  m.bottom = rect.bottom;
  m.width = rect.right - rect.left;
  m.height = rect.bottom - rect.top;
  m.charWidth = cell.cx;
  m.charHeight = cell.cy;
  return m;
}

}  // namespace

DialogMetrics GetDialogMetrics(HWND dialog) {
  RECT client = {0, 0, 0, 0};
  GetClientRect(dialog, &client);
  return MetricsOf(client);
}

DialogMetrics GetPageMetrics(HWND page) {
  RECT display = {0, 0, 0, 0};
  HWND sheet = GetParent(page);
  HWND tab = sheet ? reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0)) : NULL;
  if (tab) {
    GetClientRect(tab, &display);
    SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  }
  const RECT area = {0, 0, display.right - display.left, display.bottom - display.top};
  return MetricsOf(area);
}
