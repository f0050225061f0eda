// Putting a top-level window above all others, or back among them.
#pragma once

#include <windows.h>

// SetWindowPos with HWND_TOPMOST or HWND_NOTOPMOST, without moving or
// sizing. Under Wine a window that owns pop-ups (its tooltips) is first
// freed of them for a moment, or Wine would place it below them and drop its
// topmost state again; on Windows the call is made as it stands.
bool SetWindowTopMost(HWND window, bool topMost);
