#include "subclass_window_base.h"

#include "exception_guard.h"

SubClassWindowBase_CL::~SubClassWindowBase_CL() {}

HWND SubClassWindowBase_CL::Create(DWORD exStyle, const wchar_t* className, const wchar_t* title,
                                   DWORD style, int x, int y, int width, int height, HWND parent,
                                   HMENU menu, HINSTANCE instance, void* createParam) {
  hwnd = CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu,
                         instance, createParam);
  if (!hwnd) return NULL;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  savedProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc));
  return hwnd;
}

LRESULT SubClassWindowBase_CL::HandleMessage(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  const WNDPROC proc = savedProc;
  if (message == WM_DESTROY) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
  }
  return CallWindowProcW(proc, window, message, wParam, lParam);
}

LRESULT CALLBACK SubClassWindowBase_CL::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                                     LPARAM lParam) {
  SubClassWindowBase_CL* self =
      reinterpret_cast<SubClassWindowBase_CL*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return 0;
  LRESULT result = 0;
  if (RunGuarded([&] { result = self->HandleMessage(window, message, wParam, lParam); })) {
    return result;
  }
  // Its handling failed: the control's own procedure does what it would.
  return self->savedProc ? CallWindowProcW(self->savedProc, window, message, wParam, lParam) : 0;
}
