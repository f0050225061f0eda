// A plain top-level window for the toolbar and menu tests, the common
// controls they need, and the folder the build lays the program's pictures in.
#pragma once

#include <windows.h>

#include <string>

class ControlsTestWindow {
 public:
  ControlsTestWindow();
  ~ControlsTestWindow();
  ControlsTestWindow(const ControlsTestWindow&) = delete;
  ControlsTestWindow& operator=(const ControlsTestWindow&) = delete;
  HWND Get() const { return window_; }

 private:
  HWND window_ = NULL;
};

inline std::wstring PictureFile(const wchar_t* name) {
  std::wstring folder;
  for (const char* p = SNAPVANE_PICTURES_DIR; *p; ++p) folder += static_cast<wchar_t>(*p);
  return folder + L"\\" + name;
}
