// Base of a system control whose window procedure is replaced by one that
// forwards every message to the object (the toolbar).
#pragma once

#include <windows.h>

class SubClassWindowBase_CL {
 public:
  SubClassWindowBase_CL() {}
  virtual ~SubClassWindowBase_CL();
  SubClassWindowBase_CL(const SubClassWindowBase_CL&) = delete;
  SubClassWindowBase_CL& operator=(const SubClassWindowBase_CL&) = delete;

  // CreateWindowExW with these arguments, then binds and subclasses the new
  // window. Returns the window, null on failure.
  virtual HWND Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                      int x, int y, int width, int height, HWND parent, HMENU menu,
                      HINSTANCE instance, void* createParam);
  // The base passes every message to the replaced procedure and puts that
  // procedure back on WM_DESTROY.
  virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND GetHwnd() const { return hwnd; }

 protected:
  HWND hwnd = NULL;
  WNDPROC savedProc = NULL;
};
