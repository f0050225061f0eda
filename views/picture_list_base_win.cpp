#include "picture_list_base.h"

#include <cstdlib>

#include "win_handles.h"

namespace {

bool KeyDown(int key) { return GetKeyState(key) < 0; }

// The signed client coordinates of a mouse message.
int PointX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
int PointY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

GridModifiers CurrentModifiers() {
  GridModifiers keys;
  keys.shift = KeyDown(VK_SHIFT);
  keys.ctrl = KeyDown(VK_CONTROL);
  return keys;
}

}  // namespace

void DetachAndDestroy(ControlBase_CL& control) {
  const HWND window = control.hwnd;
  control.hwnd = NULL;
  if (!window || !IsWindow(window)) return;
  if (GetWindowLongPtrW(window, GWLP_USERDATA) != reinterpret_cast<LONG_PTR>(&control)) return;
  // The window no longer reaches the object, which is going away.
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (control.savedProc) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control.savedProc));
  }
  DestroyWindow(window);
}

PictureListBase_CL::PictureListBase_CL() : ControlBase_CL(kControlThumbnailList) {
  controlId = kControlId;
}

PictureListBase_CL::~PictureListBase_CL() { DetachAndDestroy(*this); }

HWND PictureListBase_CL::Create(HWND parent) {
  const HWND window = CreateWindowExW(
      0, L"Static", L"",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL |
          SS_GRAYFRAME,
      0, 0, 320, 240, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
      GetModuleHandleW(NULL), this);
  if (!window) return NULL;
  SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  horizontalBar.Bind(window);
  verticalBar.Bind(window);
  horizontalBar.state.wheelStep = grid.layout.CellHeight();
  SubclassWindow(window);
  tooltips.Create(window, tooltipStyle);
  // The size message of the creation came before the subclassing.
  UpdateLayout();
  return window;
}

void PictureListBase_CL::UpdateLayout() {
  if (!hwnd) return;
  RECT client;
  GetClientRect(hwnd, &client);
  GridRect rect;
  rect.left = client.left;
  rect.top = client.top;
  rect.right = client.right;
  rect.bottom = client.bottom;
  grid.layout.UpdateLayout(rect, grid.Count(), GetSystemMetrics(SM_CXVSCROLL));
  horizontalBar.Apply();
  verticalBar.Apply();
}

HRESULT PictureListBase_CL::SetCount(unsigned count) {
  tooltips.RemoveAllTools();
  return grid.SetCount(count);
}

unsigned PictureListBase_CL::GetCount() { return grid.Count(); }

void PictureListBase_CL::SelectAll(int operation) { grid.selection.SelectAll(operation); }

int PictureListBase_CL::SetSelected(int index, int operation) {
  return grid.selection.SetSelected(index, operation);
}

bool PictureListBase_CL::IsSelected(int index) { return grid.selection.IsSelected(index); }

int PictureListBase_CL::GetAnchor() { return grid.anchor; }

void PictureListBase_CL::EmptyHook(int) {}

void PictureListBase_CL::SetThumbnailOffset(int x, int y) { grid.layout.SetThumbnailOffset(x, y); }

std::wstring PictureListBase_CL::GetToolTipText(int) { return std::wstring(); }

void PictureListBase_CL::SelectRange(int from, int to, int operation) {
  grid.SelectRange(from, to, operation);
}

void PictureListBase_CL::SelectFirst() {
  if (grid.Count() == 0) return;
  Notify(NM_CLICK, 0, 0, 0);
  grid.SelectFirst(CurrentModifiers());
  Invalidate();
}

void PictureListBase_CL::EnsureVisible(int index) {
  if (!grid.layout.EnsureVisible(index)) return;
  ApplyScrollPositions();
  Invalidate();
}

void PictureListBase_CL::Notify(int code, int index, int x, int y) {
  if (!hwnd) return;
  NMITEMACTIVATE info = {};
  info.hdr.hwndFrom = hwnd;
  info.hdr.idFrom = static_cast<UINT_PTR>(controlId);
  info.hdr.code = static_cast<UINT>(code);
  info.iItem = index;
  info.ptAction.x = x;
  info.ptAction.y = y;
  info.uKeyFlags = (KeyDown(VK_SHIFT) ? LVKF_SHIFT : 0u) | (KeyDown(VK_CONTROL) ? LVKF_CONTROL : 0u);
  SendMessageW(GetParent(hwnd), WM_NOTIFY, static_cast<WPARAM>(controlId),
               reinterpret_cast<LPARAM>(&info));
}

void PictureListBase_CL::Invalidate() {
  if (hwnd) InvalidateRect(hwnd, NULL, FALSE);
}

void PictureListBase_CL::InvalidateItem(int index) {
  if (!hwnd) return;
  for (const VisibleCell& cell : grid.layout.VisibleCells()) {
    if (cell.index != index) continue;
    const RECT extent = CellExtent(cell);
    InvalidateRect(hwnd, &extent, FALSE);
  }
}

RECT PictureListBase_CL::CellExtent(const VisibleCell& cell) const {
  const int offsetX = std::abs(grid.layout.OffsetX());
  const int offsetY = std::abs(grid.layout.OffsetY());
  const RECT extent = {cell.x - offsetX, cell.y - offsetY, cell.x + grid.layout.CellWidth() + offsetX + 1,
                       cell.y + grid.layout.CellHeight() + offsetY + 1};
  return extent;
}

void PictureListBase_CL::ApplyScrollPositions() {
  horizontalBar.ApplyPosition();
  verticalBar.ApplyPosition();
}

void PictureListBase_CL::DrawFocusFrame(Gdiplus::Graphics& graphics, const RECT& cell) {
  Gdiplus::Pen pen(Gdiplus::Color(focusFrameColor), 4.0f);
  graphics.DrawRectangle(
      &pen, Gdiplus::RectF(static_cast<Gdiplus::REAL>(cell.left + 2), static_cast<Gdiplus::REAL>(cell.top + 2),
                           static_cast<Gdiplus::REAL>(cell.right - cell.left - 4 + grid.layout.OffsetX()),
                           static_cast<Gdiplus::REAL>(cell.bottom - cell.top - 4 + grid.layout.OffsetY())));
}

void PictureListBase_CL::DrawSelection(Gdiplus::Graphics& graphics, const RECT& cell) {
  Gdiplus::SolidBrush brush(Gdiplus::Color(0x4E5050FF));
  graphics.FillRectangle(
      &brush, Gdiplus::RectF(static_cast<Gdiplus::REAL>(cell.left), static_cast<Gdiplus::REAL>(cell.top),
                             static_cast<Gdiplus::REAL>(cell.right - cell.left + grid.layout.OffsetX()),
                             static_cast<Gdiplus::REAL>(cell.bottom - cell.top + grid.layout.OffsetY())));
}

void PictureListBase_CL::DrawCell(Gdiplus::Graphics&, const RECT&, int) {}

void PictureListBase_CL::PaintAll(Gdiplus::Graphics& graphics) {
  const GridRect& client = grid.layout.Client();
  // Where the keys act is shown only while they reach the list.
  const bool showFocus = hwnd && GetFocus() == hwnd;
  Gdiplus::SolidBrush background{Gdiplus::Color(backgroundColor)};
  // Every pixel of the painted part is drawn afresh, so the buffer's pixels
  // outside it, which are not shown, may be anything.
  graphics.SetClip(Gdiplus::Rect(painted.left, painted.top, painted.right - painted.left,
                                 painted.bottom - painted.top));
  graphics.FillRectangle(&background, client.left, client.top, client.right - client.left,
                         client.bottom - client.top);
  if (grid.Count() == 0) return;
  for (const VisibleCell& cell : grid.layout.VisibleCells()) {
    if (!grid.IsItem(cell.index)) continue;
    const RECT extent = CellExtent(cell);
    RECT overlap;
    if (!IntersectRect(&overlap, &extent, &painted)) continue;
    const RECT rect = {cell.x, cell.y, cell.x + grid.layout.CellWidth(),
                       cell.y + grid.layout.CellHeight()};
    DrawCell(graphics, rect, cell.index);
    if (showFocus && cell.index == grid.focus) DrawFocusFrame(graphics, rect);
    if (grid.selection.IsSelected(cell.index)) DrawSelection(graphics, rect);
  }
}

void PictureListBase_CL::OnPaint(HWND window) {
  PaintDc_CL paint(window);
  RECT client;
  GetClientRect(window, &client);
  backBuffer.EnsureSize(client.right, client.bottom);
  Gdiplus::Bitmap* buffer = backBuffer.Bitmap();
  painted = paint.Paint().rcPaint;
  if (buffer) {
    {
      Gdiplus::Graphics offscreen(buffer);
      PaintAll(offscreen);
      offscreen.Flush(Gdiplus::FlushIntentionSync);
    }
    backBuffer.CopyTo(paint.Get(), 0, 0);
  } else {
    Gdiplus::Graphics graphics(paint.Get());
    Gdiplus::SolidBrush background{Gdiplus::Color(backgroundColor)};
    graphics.FillRectangle(&background, 0, 0, client.right, client.bottom);
  }
}

void PictureListBase_CL::OnKeyDown(WPARAM key) {
  grid.BringIndicesIntoRange();
  if (key == VK_RETURN) Notify(NM_RETURN, grid.focus, 0, 0);
  if (grid.KeyDown(static_cast<int>(key), CurrentModifiers())) ApplyScrollPositions();
  Invalidate();
  Notify(NM_CLICK, grid.focus, 0, 0);
}

void PictureListBase_CL::OnMouseMove(int x, int y) {
  const PictureGrid_CL::MouseMoveResult moved = grid.MouseMove(x, y);
  if (moved.hoverChanged) {
    tooltips.RemoveAllTools();
    RECT client;
    GetClientRect(hwnd, &client);
    tooltips.AddTool(client, hwnd, static_cast<UINT_PTR>(grid.hover + kToolIdBase),
                     GetToolTipText(grid.hover));
  }
  if (moved.scrolled) ApplyScrollPositions();
  // Only a drag changes the picture.
  if (moved.scrolled || grid.dragging) Invalidate();
}

void PictureListBase_CL::OnLeftButtonDown(int x, int y) {
  grid.dragging = 1;
  SetCapture(hwnd);
  SetFocus(hwnd);
  const int index = grid.layout.HitTest(x, y);
  if (!grid.IsItem(index)) return;
  Notify(NM_CLICK, index, x, y);
  grid.Click(index, CurrentModifiers());
  Invalidate();
}

void PictureListBase_CL::OnRightButtonDown(int x, int y) {
  SetFocus(hwnd);
  const int index = grid.layout.HitTest(x, y);
  if (!grid.IsItem(index)) return;
  // As a left click: the parent shows the photo before the selection moves
  // to it, and the menu that follows acts on it.
  Notify(NM_CLICK, index, x, y);
  grid.RightClick(index);
  Invalidate();
}

UINT PictureListBase_CL::DialogCode(const MSG* message) {
  // Every key is the list's but Tab, which moves the dialog's focus on.
  const bool tab = message && (message->message == WM_KEYDOWN || message->message == WM_CHAR) &&
                   message->wParam == VK_TAB;
  return tab ? DLGC_WANTARROWS | DLGC_WANTCHARS : DLGC_WANTALLKEYS;
}

LRESULT PictureListBase_CL::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = PointX(lParam);
  const int y = PointY(lParam);
  const bool hasItems = grid.Count() > 0;
  if (IsScrollBarMouseMessage(message)) {
    // The list wants its clicks, its scroll bars and the drops on it.
    handled = 1;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  switch (message) {
    case WM_SIZE:
      UpdateLayout();
      Invalidate();
      break;
    case WM_SETFOCUS:
      Notify(NM_SETFOCUS, 0, 0, 0);
      Invalidate();
      break;
    case WM_KILLFOCUS:
      Notify(NM_KILLFOCUS, 0, 0, 0);
      Invalidate();
      break;
    case WM_PAINT:
      OnPaint(window);
      handled = 1;
      return 0;
    case WM_ERASEBKGND:
      handled = 1;
      return 0;
    case WM_GETDLGCODE:
      handled = 1;
      return DialogCode(reinterpret_cast<const MSG*>(lParam));
    case WM_KEYDOWN:
      if (hasItems) OnKeyDown(wParam);
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (hasItems) {
        (message == WM_HSCROLL ? horizontalBar : verticalBar).OnScrollMessage(window, message, wParam, lParam);
        grid.layout.RebuildVisibleCells();
        Invalidate();
      }
      break;
    case WM_MOUSEWHEEL:
      if (hasItems) {
        const int mode = grid.layout.LayoutMode();
        const bool horizontal =
            mode == kLayoutOneRow || (mode == kLayoutGrid && KeyDown(VK_LBUTTON));
        (horizontal ? horizontalBar : verticalBar).OnScrollMessage(window, message, wParam, lParam);
        grid.layout.RebuildVisibleCells();
        Invalidate();
      }
      break;
    case WM_MOUSEMOVE:
      if (hasItems) OnMouseMove(x, y);
      break;
    case WM_LBUTTONDOWN:
      if (hasItems) OnLeftButtonDown(x, y);
      break;
    case WM_LBUTTONUP:
      if (hasItems) {
        grid.dragging = 0;
        ReleaseCapture();
      }
      break;
    case WM_CAPTURECHANGED:
      // Losing the mouse (another window took it) ends a drag too.
      grid.dragging = 0;
      break;
    case WM_LBUTTONDBLCLK:
      Notify(NM_DBLCLK, HitTest(x, y), x, y);
      break;
    case WM_RBUTTONDOWN:
      if (hasItems) OnRightButtonDown(x, y);
      Notify(NM_RCLICK, HitTest(x, y), x, y);
      break;
    case WM_RBUTTONDBLCLK:
      Notify(NM_RDBLCLK, HitTest(x, y), x, y);
      break;
    default:
      break;
  }
  return 0;
}
