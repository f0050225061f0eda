// The main window's keyboard shortcuts. The window runs as a modal dialog,
// whose message loop knows nothing of accelerator tables; the dialog manager
// does pass every message through the thread's message filters first, so a
// filter on the window's thread translates the keys with the table whenever
// the message is meant for the window or one of its children. Keys the table
// does not hold reach their windows as before.
#pragma once

#include <windows.h>

class KeyboardShortcuts_CL {
 public:
  KeyboardShortcuts_CL() {}
  // Takes the filter away.
  ~KeyboardShortcuts_CL();
  KeyboardShortcuts_CL(const KeyboardShortcuts_CL&) = delete;
  KeyboardShortcuts_CL& operator=(const KeyboardShortcuts_CL&) = delete;

  // Translates the keys of table (a resource of the module; freed by the
  // system) for window, on the calling thread, which must be the window's.
  // False when the table or the filter could not be had. One window per
  // thread: a second Install on the thread takes over from the first.
  bool Install(HWND window, HACCEL table);
  void Uninstall();

 private:
  static LRESULT CALLBACK FilterProc(int code, WPARAM wParam, LPARAM lParam);

  HHOOK hook_ = NULL;
};
