#include "window_rect.h"

#include "inifile.h"
#include "multi_screen.h"

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
  // Only the corner is checked: a window whose title bar is on a screen can be
  // dragged back by the user.
  if (screens.FindMonitor(rect.left, rect.top) < 0) return defaultRect;
  return rect;
}
