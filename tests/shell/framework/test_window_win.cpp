#include "test_window_win.h"

namespace {

const wchar_t kClassName[] = L"SnapvaneFrameworkTestParent";

void RegisterOnce() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSW wc = {};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(NULL);
  wc.lpszClassName = kClassName;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  RegisterClassW(&wc);
  registered = true;
}

}  // namespace

TestWindow::TestWindow(int width, int height, int x, int y, DWORD extraStyle) {
  RegisterOnce();
  hwnd_ = CreateWindowExW(0, kClassName, L"test", WS_POPUP | extraStyle, x, y, width, height, NULL,
                          NULL, GetModuleHandleW(NULL), NULL);
}

TestWindow::~TestWindow() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

RECT PlaceOf(HWND window) {
  RECT rect = {0, 0, 0, 0};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}
