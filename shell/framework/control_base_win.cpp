#include "control_base.h"

#include "exception_guard.h"
#include "window_layout.h"

ControlBase_CL::ControlBase_CL(int kind_)
    : kind(kind_), font(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))) {}

ControlBase_CL::~ControlBase_CL() {}

LRESULT ControlBase_CL::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (messageHook) return messageHook(window, message, wParam, lParam);
  return 0;
}

void ControlBase_CL::Resize(int width, int height, BYTE repaint) {
  if (!hwnd) return;
  const RECT rect = WindowRectInParent(hwnd);
  MoveWindow(hwnd, rect.left, rect.top, width, height, repaint);
}

void ControlBase_CL::SubclassWindow(HWND window) {
  messageHook = NULL;
  hwnd = window;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  savedProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlWindowProc));
}

LRESULT CALLBACK ControlBase_CL::ControlWindowProc(HWND window, UINT message, WPARAM wParam,
                                                   LPARAM lParam) {
  ControlBase_CL* self =
      reinterpret_cast<ControlBase_CL*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return 0;
  self->handled = 0;
  LRESULT result = 0;
  // A message whose handling failed gets the default processing.
  if (!RunGuarded([&] { result = self->HandleMessage(window, message, wParam, lParam); })) {
    self->handled = 0;
    result = 0;
  }
  if (message == WM_DESTROY) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->savedProc));
    return result;
  }
  if (!self->handled) return CallWindowProcW(self->savedProc, window, message, wParam, lParam);
  return result;
}
