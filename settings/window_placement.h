// Where a top-level window may lie: inside a monitor's work area, so that its
// title bar can always be grabbed, whatever the screen's size.
#pragma once

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// `wanted` moved, and shrunk where it is larger than the work area, until it
// lies inside `work`. A rectangle already inside is returned unchanged.
ScreenRect FitInsideWorkArea(const ScreenRect& work, const ScreenRect& wanted);

// A width x height rectangle centred in `work`, fitted inside it.
ScreenRect CentredInWorkArea(const ScreenRect& work, int width, int height);

// The smallest size of the main window at `dpi` (96: 400 x 300).
int MinimumWindowWidth(int dpi);
int MinimumWindowHeight(int dpi);
