// The DPI a window is shown at, from the monitor it is on where the system
// tells (Windows 10 1607 and later), else the screen's. The functions that
// tell are looked up at run time: Windows XP has none of them.
#pragma once

#include <windows.h>

#include "high_dpi_helper.h"

// The window's DPI; the screen's for a null window or an older system.
int WindowDpi(HWND window);

// DetectDpi, then the window's own DPI in place of the screen's.
HighDpiHelper_CL DetectWindowDpi(HWND window);

// Keeps the dialog manager from scaling dialog on a DPI change (Windows 10
// 1703 and later do so for a dialog by its template): the dialog lays itself
// out for the new DPI.
void LayOutOwnDpiChanges(HWND dialog);

// GetSystemMetrics as it would be at dpi (a scroll bar's height, say).
int SystemMetricForDpi(int index, int dpi);

// The icon-title font (the one the toolbar's labels use) at dpi; null when
// the system gives none. The caller owns it.
HFONT CreateIconTitleFont(int dpi);
