#include "split_manager.h"

#include <windowsx.h>

#include "inifile.h"
#include "win_handles.h"

namespace {

const LONG_PTR kClipBits = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

}  // namespace

SplitManager_CL::SplitManager_CL(int thickness, UINT relayoutMessage)
    : SplitTree_CL(thickness), relayoutMessage(relayoutMessage) {}

SplitManager_CL::~SplitManager_CL() {}

void SplitManager_CL::ApplyPlacements() {
  HDWP batch = BeginDeferWindowPos(static_cast<int>(placements.size()));
  if (!batch) return;
  for (const PaneRect& pane : placements) {
    // On failure the batch is already gone; nothing may use it again.
    batch = DeferWindowPos(batch, static_cast<HWND>(pane.window), HWND_BOTTOM, pane.left,
                           pane.top, pane.right - pane.left, pane.bottom - pane.top,
                           pane.placementFlags);
    if (!batch) return;
  }
  EndDeferWindowPos(batch);
}

void SplitManager_CL::LayoutAll(const RECT& area) {
  placements.clear();
  if (nodes.empty()) return;
  LayoutNode(0, SplitRect{area.left, area.top, area.right, area.bottom});
  ApplyPlacements();
}

LRESULT SplitManager_CL::HandleMouse(UINT message, LPARAM lParam, HWND window) {
  if (nodes.empty()) return 0;
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  switch (message) {
    case WM_MOUSEMOVE:
      if (IsDragging()) {
        MoveDrag(window, x, y);
      } else {
        const int node = HitTest(0, x, y);
        if (node >= 0 && Node(node).Divides()) {
          SetCursor(LoadCursorW(NULL, Node(node).stacked ? IDC_SIZENS : IDC_SIZEWE));
        }
      }
      break;
    case WM_LBUTTONDOWN: {
      if (IsDragging()) break;
      const int node = HitTest(0, x, y);
      if (node >= 0 && Node(node).Divides()) BeginDrag(window, node, x, y);
      break;
    }
    case WM_LBUTTONUP:
      if (IsDragging()) EndDrag(window);
      break;
    case WM_CAPTURECHANGED:
      // Another window took the mouse (a menu, a message box, a switch to
      // another program): finish the drag where it stands rather than leave
      // the line on the screen and the window without clipping.
      if (IsDragging() && reinterpret_cast<HWND>(lParam) != window) EndDrag(window);
      break;
    default:
      break;
  }
  return 0;
}

void SplitManager_CL::BeginDrag(HWND window, int node, int x, int y) {
  dragNode = node;
  SetCapture(window);
  // The line must be drawn over the panes, so the window may not clip them.
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  clipStyle = style & kClipBits;
  SetWindowLongPtrW(window, GWL_STYLE, style & ~kClipBits);
  dragLine = DragTo(dragNode, x, y);
  DrawLine(window, dragLine);
}

void SplitManager_CL::MoveDrag(HWND window, int x, int y) {
  DrawLine(window, dragLine);
  dragLine = DragTo(dragNode, x, y);
  DrawLine(window, dragLine);
}

void SplitManager_CL::EndDrag(HWND window) {
  DrawLine(window, dragLine);
  dragNode = -1;
  SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | clipStyle);
  // Cleared first: releasing the capture sends WM_CAPTURECHANGED back here.
  // When the drag ends because another window took the mouse, the capture
  // is that window's now and stays with it.
  if (GetCapture() == window) ReleaseCapture();
  PostMessageW(window, relayoutMessage, 0, 0);
}

void SplitManager_CL::DrawLine(HWND window, const SplitRect& line) const {
  WindowDc_CL dc(window);
  if (!dc) return;
  // As thick as the bar dragged, which grows with the DPI.
  const int width = IsNode(dragNode) ? Node(dragNode).thickness : thickness;
  UniquePen pen(CreatePen(PS_SOLID, width, GetSysColor(COLOR_BTNSHADOW)));
  SelectObject_CL selected(dc.Get(), pen.Get());
  const int oldMix = SetROP2(dc.Get(), R2_XORPEN);
  MoveToEx(dc.Get(), line.left, line.top, NULL);
  LineTo(dc.Get(), line.right, line.bottom);
  SetROP2(dc.Get(), oldMix);
}

void SplitManager_CL::SaveSplits(const wchar_t* section, const wchar_t* key) const {
  g_inifile.WriteString(section, key, SaveText());
}

void SplitManager_CL::LoadSplits(const wchar_t* section, const wchar_t* key) {
  LoadText(g_inifile.ReadString(section, key, L""));
}
