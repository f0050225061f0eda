// Base of every child control: the plain system controls that the control
// factory makes, and the custom-drawn ones that subclass a "Static" window.
#pragma once

#include <windows.h>

// Control kind tags.
enum ControlKind {
  kControlStaticText = 1,
  kControlButton = 2,
  kControlCheckBox = 3,
  kControlThumbnailList = 8,
  kControlImage = 14,
  kControlGroupBox = 18,
  kControlProgressBar = 19,
};

typedef LRESULT (*ControlMessageHook)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class ControlBase_CL {
 public:
  explicit ControlBase_CL(int kind);
  virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  virtual ~ControlBase_CL();
  // Keeps the window's place in its parent and gives it a new size.
  virtual void Resize(int width, int height, BYTE repaint);

  // Window procedure of a subclassed control: the object's HandleMessage
  // runs first, and the saved procedure only when the handler left
  // `handled` clear. WM_DESTROY always puts the saved procedure back.
  static LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

  ControlBase_CL(const ControlBase_CL&) = delete;
  ControlBase_CL& operator=(const ControlBase_CL&) = delete;

  int kind;
  int controlId = 0;
  // Cleared before each message; a handler sets it to keep the message from
  // the saved window procedure.
  int handled = 0;
  WNDPROC savedProc = NULL;
  ControlMessageHook messageHook = NULL;
  HWND hwnd = NULL;
  // The stock DEFAULT_GUI_FONT: shared by the system, so never deleted.
  HFONT font;

 protected:
  // Binds this object to a window it created and routes the window's
  // messages through ControlWindowProc.
  void SubclassWindow(HWND window);
};
