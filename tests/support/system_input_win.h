// Mouse input through the system's input queue, as a person's hand gives it:
// the window under the pointer gets it as it would a real one's, hit tests,
// non-client areas and modal tracking loops included.
#pragma once

#include <windows.h>

// Moves the pointer to a screen point.
void MoveMouseTo(POINT at);
// One button event: MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTUP, ...
void MouseButton(DWORD flags);
// A press and release of one button where the pointer is; down and up are
// the button's two MOUSEEVENTF_ flags.
void ClickButton(DWORD down, DWORD up);
