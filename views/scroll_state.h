// The numbers of one scroll bar, kept by the program rather than asked from
// the system, and the arithmetic of scrolling them. Portable: the grid logic
// and its tests use it without a window.
#pragma once

// Scroll-bar requests as the platform numbers them (LOWORD of wParam of
// WM_HSCROLL / WM_VSCROLL).
enum ScrollRequest_EN {
  kScrollLineBack = 0,     // SB_LINEUP / SB_LINELEFT
  kScrollLineForward = 1,  // SB_LINEDOWN / SB_LINERIGHT
  kScrollPageBack = 2,     // SB_PAGEUP
  kScrollPageForward = 3,  // SB_PAGEDOWN
  kScrollThumbPosition = 4,
  kScrollThumbTrack = 5,
};

struct ScrollState {
  int minimum = 0;
  int maximum = 0;
  int page = 0;
  int position = 0;
  int trackPosition = 0;
  int wheelStep = -1;  // -1: a quarter of the page
  int lineStep = 1;

  // The distance one wheel notch moves.
  int WheelStepSize() const { return wheelStep == -1 ? page / 4 : wheelStep; }
  // The position, never below 0: before the first layout, or while the
  // content is smaller than the page, the stored value may be negative.
  int PositionOrZero() const { return position < 0 ? 0 : position; }
  // pos limited to maximum - page, then raised to the minimum, so a page
  // larger than the content keeps the view at the start.
  int Clamp(int pos) const;
  // The position a scroll-bar request leads to (trackPosition must hold the
  // system's thumb position for the thumb requests). Unknown requests keep
  // the position.
  int PositionAfterRequest(int request) const;
  // One step back for a positive wheel delta, one forward otherwise.
  int PositionAfterWheel(int wheelDelta) const;
};
