#include "strip_layout.h"

#include <gtest/gtest.h>

#include "picture_list_base.h"

int StripHeight() { return kCellHeight + 2 + GetSystemMetrics(SM_CYHSCROLL); }

void SetUpStrip(PictureListBase_CL& list, int x, int y, int width, unsigned count) {
  list.SetLayoutMode(kLayoutOneRow);
  list.SetThumbnailSize(kThumbWidth, kThumbHeight);
  list.SetCellSize(kCellWidth, kCellHeight);
  list.SetBackgroundColor(0xFFC8C8C8);
  ShowScrollBar(list.hwnd, SB_VERT, FALSE);
  MoveWindow(list.hwnd, x, y, width, StripHeight(), TRUE);
  list.SetCount(count);
  list.UpdateLayout();
}

bool ShowsUprightF(const Capture& capture, int cellX, int cellY, const char* what) {
  const int left = cellX + 2 + (kThumbWidth - 86) / 2;
  const int top = cellY + 2;
  struct Probe {
    double u;
    double v;
    bool black;
  };
  // The top bar, the stem and the middle bar are black; the paper right of
  // them is white.
  const Probe probes[] = {{0.85, 0.08, true}, {0.1, 0.1, true},   {0.1, 0.9, true},  {0.5, 0.5, true},
                          {0.85, 0.3, false}, {0.85, 0.5, false}, {0.85, 0.9, false}};
  bool ok = true;
  for (const Probe& p : probes) {
    const int x = left + static_cast<int>(p.u * 86);
    const int y = top + static_cast<int>(p.v * 144);
    const bool matches = p.black ? capture.IsBlack(x, y, 80) : capture.IsWhite(x, y, 80);
    if (!matches) {
      ADD_FAILURE() << what << ": expected " << (p.black ? "black" : "white") << " at (" << x << ", " << y
                    << ") [u " << p.u << ", v " << p.v << "], found 0x" << std::hex << capture.At(x, y);
      ok = false;
    }
  }
  return ok;
}
