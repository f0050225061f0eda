#include "system_input_win.h"

void MoveMouseTo(POINT at) {
  SetCursorPos(at.x, at.y);
  // Absolute input runs from 0 to 65535 across the primary screen.
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(INPUT));
}

void MouseButton(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(INPUT));
}

void ClickButton(DWORD down, DWORD up) {
  INPUT input[2] = {};
  input[0].type = INPUT_MOUSE;
  input[0].mi.dwFlags = down;
  input[1].type = INPUT_MOUSE;
  input[1].mi.dwFlags = up;
  SendInput(2, input, sizeof(INPUT));
}
