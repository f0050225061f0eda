#include "window_rect.h"

#include <cstddef>

#include "inifile.h"
#include "multi_screen.h"
#include "window_placement.h"

static_assert(sizeof(RECT) == 16, "a stored window rectangle is four 32-bit integers");

bool SaveWindowRect(HWND window, const wchar_t* section, const wchar_t* key) {
  // A minimized or maximized window's rectangle is not where it should reopen.
  if (IsIconic(window) || IsZoomed(window)) return false;
  RECT rect;
  if (!GetWindowRect(window, &rect)) return false;
  g_inifile.WriteStruct(section, key, &rect, sizeof rect);
  return true;
}

RECT LoadWindowRect(const wchar_t* section, const wchar_t* key, const RECT& defaultRect) {
  MultiScreen_CL screens;
  screens.Enumerate();
  return LoadWindowRect(screens, section, key, defaultRect);
}

RECT LoadWindowRect(const MultiScreen_CL& screens, const wchar_t* section, const wchar_t* key,
                    const RECT& defaultRect) {
  RECT rect;
  if (!g_inifile.ReadStruct(section, key, &rect, sizeof rect)) return defaultRect;
  // The corner picks the monitor; the window is then kept whole on its work
  // area, so a screen made smaller since never hides the title bar or the
  // edges the window is sized by.
  const int monitor = screens.FindMonitor(rect.left, rect.top);
  if (monitor < 0) return defaultRect;
  return FitInsideWorkArea(screens.GetMonitors()[static_cast<std::size_t>(monitor)].info.rcWork, rect);
}

ScreenRect ToScreenRect(const RECT& rect) {
  ScreenRect r;
  r.left = rect.left;
  r.top = rect.top;
  r.right = rect.right;
  r.bottom = rect.bottom;
  return r;
}

RECT FitInsideWorkArea(const RECT& work, const RECT& wanted) {
  const ScreenRect fitted = FitInsideWorkArea(ToScreenRect(work), ToScreenRect(wanted));
  RECT rect = {fitted.left, fitted.top, fitted.right, fitted.bottom};
  return rect;
}
