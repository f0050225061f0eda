// Small helpers that place windows.
#pragma once

#include <windows.h>

// The window's rectangle with its top-left corner in its parent's client
// coordinates (screen coordinates for a window without a parent).
RECT WindowRectInParent(HWND window);

// Moves the window's top-left corner, keeping its size, and repaints.
void MoveWindowTo(HWND window, int x, int y);

// Detaches the window from its parent and centres it over the owner's window
// rectangle, or over the full-screen area when the owner is minimized or
// missing. Size and Z order stay.
void CenterOverOwner(HWND owner, HWND window);
