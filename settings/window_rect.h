// Saving a window's rectangle in the settings file and restoring it only when
// its top-left corner still lies on a monitor's work area.
#pragma once

#include <windows.h>

#include "window_placement.h"

class MultiScreen_CL;

// Writes the window's screen rectangle (frame included) as a 16-byte struct
// value; writes nothing and returns false while the window is minimized or
// maximized.
bool SaveWindowRect(HWND window, const wchar_t* section, const wchar_t* key);

// The stored rectangle, moved and shrunk into the work area of the monitor
// that holds its top-left corner; `defaultRect` when it is missing, damaged
// or its corner is on no monitor's work area.
RECT LoadWindowRect(const wchar_t* section, const wchar_t* key, const RECT& defaultRect);

// The same against monitors the caller has already listed.
RECT LoadWindowRect(const MultiScreen_CL& screens, const wchar_t* section, const wchar_t* key,
                    const RECT& defaultRect);

ScreenRect ToScreenRect(const RECT& rect);
// FitInsideWorkArea on the platform's rectangles.
RECT FitInsideWorkArea(const RECT& work, const RECT& wanted);
