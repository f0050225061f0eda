#include "window_layout.h"

#include "placement_math.h"

RECT WindowRectInParent(HWND window) {
  RECT rect = {0, 0, 0, 0};
  if (!GetWindowRect(window, &rect)) return rect;
  HWND parent = GetParent(window);
  if (parent && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) {
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  }
  return rect;
}

void MoveWindowTo(HWND window, int x, int y) {
  if (!window) return;
  const RECT rect = WindowRectInParent(window);
  MoveWindow(window, x, y, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void CenterOverOwner(HWND owner, HWND window) {
  if (!window) return;
  SetParent(window, NULL);
  RECT ref = {0, 0, GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN)};
  if (owner && !(GetWindowLongW(owner, GWL_STYLE) & WS_MINIMIZE)) {
    RECT ownerRect;
    if (GetWindowRect(owner, &ownerRect)) ref = ownerRect;
  }
  RECT client = {0, 0, 0, 0};
  GetClientRect(window, &client);
  const PlacementRect reference = {ref.left, ref.top, ref.right, ref.bottom};
  const PlacementPoint at = CenterIn(reference, client.right, client.bottom);
  SetWindowPos(window, NULL, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
