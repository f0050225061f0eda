#include "scroll_bar.h"

LRESULT ScrollBar_CL::OnScrollMessage(HWND, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_HSCROLL:
      if (bar == SB_HORZ) Scroll(LOWORD(wParam));
      break;
    case WM_VSCROLL:
      if (bar == SB_VERT) Scroll(LOWORD(wParam));
      break;
    case WM_MOUSEWHEEL:
      state.position =
          state.PositionAfterWheel(static_cast<short>(HIWORD(wParam)));
      Apply();
      break;
    default:
      break;
  }
  return 0;
}

void ScrollBar_CL::Bind(HWND window) {
  owner = window;
  state.position = 0;
  Apply();
}

void ScrollBar_CL::Apply() {
  if (!owner) return;
  SCROLLINFO info = {};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  info.nMin = state.minimum;
  info.nMax = state.maximum;
  info.nPage = state.page < 0 ? 0u : static_cast<UINT>(state.page);
  info.nPos = state.position;
  info.nTrackPos = state.trackPosition;
  SetScrollInfo(owner, bar, &info, TRUE);
}

void ScrollBar_CL::ApplyPosition() {
  if (owner) SetScrollPos(owner, bar, state.position, TRUE);
}

void ScrollBar_CL::Scroll(int request) {
  if (request == SB_THUMBPOSITION || request == SB_THUMBTRACK) {
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_TRACKPOS;
    if (owner && GetScrollInfo(owner, bar, &info)) state.trackPosition = info.nTrackPos;
  }
  state.position = state.PositionAfterRequest(request);
  Apply();
}
