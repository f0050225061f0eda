// A dialog's client size and the character cell ("Ｗ" in the system font)
// that dialogs lay out their controls in.
#pragma once

#include <windows.h>

struct DialogMetrics {
  int left;
  int top;
  int right;
  int bottom;
  int width;
  int height;
  int charWidth;
  int charHeight;
};

// From the dialog's client rectangle.
DialogMetrics GetDialogMetrics(HWND dialog);
// For a property page: the display area of the sheet's tab control, with
// left = top = 0.
DialogMetrics GetPageMetrics(HWND page);
