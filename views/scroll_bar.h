// One standard scroll bar of a window (its horizontal or vertical bar), with
// the numbers kept in a ScrollState and pushed to the system on every change.
#pragma once

#include <windows.h>

#include "scroll_state.h"

class ScrollBar_CL {
 public:
  // bar: SB_HORZ (0) or SB_VERT (1).
  explicit ScrollBar_CL(int bar) : bar(bar) {}
  virtual ~ScrollBar_CL() {}
  ScrollBar_CL(const ScrollBar_CL&) = delete;
  ScrollBar_CL& operator=(const ScrollBar_CL&) = delete;

  // WM_HSCROLL for the horizontal bar, WM_VSCROLL for the vertical one, and
  // WM_MOUSEWHEEL for either: moves the position and shows it. Returns 0.
  virtual LRESULT OnScrollMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // Attaches the bar to its window at position 0 and shows the state.
  void Bind(HWND window);
  // Range, page and position to the system, redrawing the bar (which the
  // system hides while the page covers the whole range).
  void Apply();
  // The position alone to the system.
  void ApplyPosition();
  // A scroll-bar request (SB_LINEUP ...); the thumb requests read the
  // thumb's position from the system.
  void Scroll(int request);

  HWND owner = NULL;
  ScrollState state;
  int bar;
};

// The hit test and the presses of the non-client area, where a window's own
// scroll bars lie. A "Static" window keeps them from DefWindowProc (its
// parent gets the clicks, the bars nothing); the controls built on one give
// them to DefWindowProc, which tracks the bars and sends WM_HSCROLL and
// WM_VSCROLL.
inline bool IsScrollBarMouseMessage(UINT message) {
  return message == WM_NCHITTEST || message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONDBLCLK;
}
