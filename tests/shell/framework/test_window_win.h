// A plain parent window for framework tests, destroyed with the object.
#pragma once

#include <windows.h>

class TestWindow {
 public:
  // A borderless popup whose client area is width x height, at (x, y).
  TestWindow(int width, int height, int x = 50, int y = 50, DWORD extraStyle = 0);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Get() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// The window's top-left corner in its parent's client coordinates, and its size.
RECT PlaceOf(HWND window);
