#include "text_extent.h"

#include "win_handles.h"

SIZE MeasureText(HFONT font, const wchar_t* text) {
  SIZE size = {0, 0};
  WindowDc_CL screen(NULL);
  if (!screen) return size;
  SelectObject_CL select(screen.Get(), font);
  RECT rect = {0, 0, 32768, 32768};
  DrawTextW(screen.Get(), text ? text : L"", -1, &rect, DT_CALCRECT);
  size.cx = rect.right - rect.left;
  size.cy = rect.bottom - rect.top;
  return size;
}

int MeasureTextWidth(HFONT font, const wchar_t* text) { return MeasureText(font, text).cx; }

int MeasureTextHeight(HFONT font, const wchar_t* text) { return MeasureText(font, text).cy; }

SIZE MeasureCharCell() { return MeasureText(NULL, L"\xFF37"); }
